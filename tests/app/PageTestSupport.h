#pragma once
// Pages for the page view's tests: written as code page 949 files, shown, and read back
// through the page's title, which the pages' scripts use to report what they saw.

#include <QString>
#include <QWebEngineView>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string_view>

namespace ledgra::testing {

// Writes the page (UTF-8 source text) as code page 949 bytes.
std::filesystem::path WriteCp949Page(const std::filesystem::path& file, std::string_view utf8);

// Runs the event loop until the view's title satisfies the condition; false after the limit.
bool WaitForTitle(QWebEngineView& view, const std::function<bool(const QString&)>& condition,
                  std::chrono::milliseconds limit = std::chrono::seconds(30));

// The text of the page the view shows; empty when the engine does not answer within the limit.
QString PageText(QWebEngineView& view, std::chrono::milliseconds limit = std::chrono::seconds(30));

// Makes the window the active one and gives the widget the focus, waiting until it has it.
bool FocusWidget(QWidget& window, QWidget& widget);

}  // namespace ledgra::testing
