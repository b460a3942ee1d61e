#pragma once
// The application object the browser engine runs under when ledgra-render makes PDFs or
// thumbnails. No window is shown, so no display is needed.

#include <QGuiApplication>

#include <memory>

namespace ledgra {

// Registers the page scheme and starts the application; call once, before anything of Qt.
std::unique_ptr<QGuiApplication> StartPageEngine(int& argc, char** argv);

}  // namespace ledgra
