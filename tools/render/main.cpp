// ledgra-render: the viewer's verification run on the command line. It runs the same run as the
// window, writes the same files, and prints every message box, status text and navigation of
// the page view as a line (see ConsoleUserInterface.h).

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/PageScheme.h"
#include "app/VerificationSummary.h"
#include "base/Folders.h"
#include "base/QtFolders.h"
#include "render/PageTemplates.h"
#include "settings/QSettingsProfile.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "tools/render/CheckCommand.h"
#include "tools/render/ConsoleUserInterface.h"
#include "tools/render/LedgerCommand.h"
#include "tools/render/OverlayProfile.h"
#include "tools/render/PageEngine.h"
#include "tools/render/PdfBatch.h"
#include "tools/render/RenderOptions.h"
#include "tools/render/ThumbnailCommand.h"
#include "verify/DocumentSession.h"

namespace ledgra {
namespace {

constexpr int kAllShown = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

int UsageError(const std::string& error) {
    std::fprintf(stderr, "ledgra-render: %s\n\n%s", error.c_str(), kRenderUsage);
    return kUsageError;
}

// The log folder with its trailing separator, created where it is missing (a failure shows
// later, when the page cannot be written).
std::filesystem::path LogFolder(const RenderOptions& options) {
    if (!options.logFolder) return CreateLogFolder(DocumentsLocation());
    std::filesystem::path folder = *options.logFolder;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!folder.native().ends_with('/')) folder += "/";
    return folder;
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

    const PageTemplates templates =
        options.templatesFolder ? PageTemplates(*options.templatesFolder) : PageTemplates();
    const std::filesystem::path trustFolder =
        options.trustFolder ? *options.trustFolder : TrustFolder(DocumentsLocation());
    ConsoleUserInterface ui(stdout);
    DocumentSession session(LogFolder(options), profile, templates, ui,
                            OpenSslVerifierFactory(trustFolder));
    std::optional<PdfBatch> pdfs;
    if (options.pdfFolder) pdfs.emplace(*options.pdfFolder, session.State().m_strLogFolder);

    bool allShown = true;
    bool allSaved = true;
    // A run showed its page when it navigated the view.
    auto shows = [&ui](auto&& runOnce) {
        const int before = ui.NavigationCount();
        runOnce();
        return ui.NavigationCount() > before;
    };
    for (const std::filesystem::path& document : options.documents) {
        // As a double click, or as the verify command on the selected document.
        allShown &= shows([&] {
            if (options.verify) {
                session.VerifyDocument(document);
            } else {
                session.ShowActivatedDocument(document);
            }
        });
        for (int press = 0; press < options.otherCopyPresses; ++press) {
            allShown &= shows([&] { session.ShowOtherCopy(document); });
        }
        if (pdfs && session.State().m_bDocumentShown == 1) {
            allSaved &=
                pdfs->Write(document, session.HtmlFilePath(), SummaryOfRun(session.LastOutcome()));
        }
    }
    return allShown && allSaved ? kAllShown : kSomeFailed;
}

}  // namespace
}  // namespace ledgra

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (ledgra::IsThumbnailCommand(arguments)) return ledgra::RunThumbnailCommand(argc, argv);
    if (ledgra::IsCheckCommand(arguments)) {
        return ledgra::RunCheckCommand(arguments, ledgra::TrustFolder(ledgra::DocumentsLocation()));
    }
    if (ledgra::IsLedgerCommand(arguments)) {
        return ledgra::RunLedgerCommand(arguments, ledgra::TrustFolder(ledgra::DocumentsLocation()));
    }
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
