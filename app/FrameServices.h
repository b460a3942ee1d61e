#pragma once
// What the main frame is built with: where the user's documents are, the stored settings, the
// verification module, and the steps that talk to the user in modal dialogs. The program uses
// the real ones; tests pass their own.

#include <QtGlobal>

#include <filesystem>
#include <functional>
#include <memory>

#include "app/MessagePresenter.h"
#include "app/PrintGuard.h"
#include "settings/Profile.h"
#include "verify/SignedDataVerifier.h"

class QPrinter;
class QWebEngineView;
class QWidget;

namespace ledgra {

struct FrameServices {
    std::filesystem::path documentsFolder;
    std::unique_ptr<Profile> profile;
    SignedDataVerifierFactory verifierFactory;
    std::shared_ptr<MessagePresenter> presenter;
    // The print preview of a loaded page, within the print command's scope of the guard.
    std::function<void(QWebEngineView& view, QPrinter& printer, PrintGuard::Scope& printing)>
        previewPage;
    // The print dialog; true when the user chose to print.
    std::function<bool(QPrinter& printer, QWidget* parent)> choosePrinter;
    // The save dialog for a PDF, proposing a file; empty when the user cancelled.
    std::function<std::filesystem::path(QWidget* parent, const std::filesystem::path& proposed)>
        choosePdfFile;
};

// The user's settings store, documents folder and message boxes, the OpenSSL module trusting
// <documents>/ZOVA/CA/, and the print dialogs.
FrameServices ProgramFrameServices(std::shared_ptr<MessagePresenter> presenter);

}  // namespace ledgra
