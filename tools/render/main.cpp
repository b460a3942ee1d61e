// ledgra-render: the viewer's verification run on the command line. It runs the same run as the
// window, writes the same files, and prints every message box, status text and navigation of
// the page view as a line (see ConsoleUserInterface.h).

#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "render/FrameState.h"
#include "render/PageTemplates.h"
#include "settings/QSettingsProfile.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "tools/render/ConsoleUserInterface.h"
#include "tools/render/OverlayProfile.h"
#include "tools/render/PageEngine.h"
#include "tools/render/PdfBatch.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/ThumbnailCommand.h"
#include "verify/VerificationRun.h"

namespace ledgra {
namespace {

constexpr int kAllShown = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int UsageError(const std::string& error) {
    std::fprintf(stderr, "ledgra-render: %s\n\n%s", error.c_str(), kRenderUsage);
    return kUsageError;
}

std::filesystem::path ZovaFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return std::filesystem::path(QFile::encodeName(documents).toStdString()) / "ZOVA";
}

// The log folder with its trailing separator, created where it is missing (a failure shows
// later, when the page cannot be written).
std::filesystem::path LogFolder(const RenderOptions& options) {
    std::filesystem::path folder = options.logFolder ? *options.logFolder : ZovaFolder() / "Logs";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!folder.native().ends_with('/')) folder += "/";
    return folder;
}

// The copy button (the frame's RouteCommand 4): the caption flips, and the selected document
// is shown again with the other copy.
void PressCopyButton(FrameState& frame, VerificationRun& run, const std::filesystem::path& path) {
    frame.m_bShowOtherCopy = 1;
    frame.m_bCopyButtonSupplier = frame.m_bCopyButtonSupplier == 1 ? 0 : 1;
    run.ShowDocument(path);
    frame.m_bShowOtherCopy = 0;
}

int Render(const RenderOptions& options) {
    QSettingsProfile storedProfile;
    OverlayProfile profile(storedProfile);
    if (options.ownNumber) {
        profile.WriteProfileString(kSettingsSection, kUserId1Key,
                                   Cp949FromUtf8(*options.ownNumber));
        profile.WriteProfileString(kSettingsSection, kUserId2Key, "");
        profile.WriteProfileString(kSettingsSection, kUserId3Key, "");
    }
    if (options.htmlFile) {
        // The run takes the html file from the settings, where paths are code page 949 text.
        const std::string stored = Cp949FromUtf8(options.htmlFile->native());
        if (Utf8FromCp949(stored) != options.htmlFile->native()) {
            return UsageError("the html file's path cannot be written in code page 949");
        }
        profile.WriteProfileString(kSettingsSection, kHtmlFileKey, stored);
    }

    FrameState frame;
    frame.m_strLogFolder = LogFolder(options);
    const PageTemplates templates =
        options.templatesFolder ? PageTemplates(*options.templatesFolder) : PageTemplates();
    const std::filesystem::path trustFolder =
        options.trustFolder ? *options.trustFolder : ZovaFolder() / "CA/";
    ConsoleUserInterface ui(stdout);
    VerificationRun run(frame, profile, templates, ui, OpenSslVerifierFactory(trustFolder));
    std::optional<PdfBatch> pdfs;
    if (options.pdfFolder) pdfs.emplace(*options.pdfFolder, frame.m_strLogFolder);

    bool allShown = true;
    bool allSaved = true;
    // A run showed its page when it navigated the view.
    auto shows = [&ui](auto&& runOnce) {
        const int before = ui.NavigationCount();
        runOnce();
        return ui.NavigationCount() > before;
    };
    for (const std::filesystem::path& document : options.documents) {
        // As a double click: the copy button reads "공급받는자" again.
        frame.m_bCopyButtonSupplier = 0;
        allShown &= shows([&] {
            if (options.verify) {
                run.VerifyDocument(document);
            } else {
                run.ShowDocument(document);
            }
        });
        for (int press = 0; press < options.otherCopyPresses; ++press) {
            allShown &= shows([&] { PressCopyButton(frame, run, document); });
        }
        if (pdfs && frame.m_bDocumentShown == 1) {
            allSaved &= pdfs->Write(document, run.HtmlFilePath());
        }
    }
    return allShown && allSaved ? kAllShown : kSomeFailed;
}

}  // namespace
}  // namespace ledgra

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (ledgra::IsThumbnailCommand(arguments)) return ledgra::RunThumbnailCommand(argc, argv);
    const ledgra::ParsedRenderOptions parsed = ledgra::ParseRenderOptions(arguments);
    if (!parsed.error.empty()) return ledgra::UsageError(parsed.error);
    if (parsed.options.help) {
        std::fputs(ledgra::kRenderUsage, stdout);
        return ledgra::kAllShown;
    }
    // The PDFs need the browser engine.
    std::unique_ptr<QGuiApplication> application;
    if (parsed.options.pdfFolder) application = ledgra::StartPageEngine(argc, argv);
    return ledgra::Render(parsed.options);
}
