#include "tools/render/RenderCommand.h"

#include <optional>
#include <system_error>

#include "base/Folders.h"
#include "base/UserFolders.h"
#include "render/PageTemplates.h"
#include "settings/IniFileProfile.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "tools/render/CommandLine.h"
#include "tools/render/ConsoleUserInterface.h"
#include "verify/DocumentSession.h"
#include "verify/VerificationRunAhead.h"

namespace ledgra {
namespace {

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

}  // namespace

int RunRenderCommand(const RenderOptions& options, const ShownPageSinkMaker& makeSink) {
    // The user's settings as stored; what the run writes stays in memory.
    IniFileProfile profile;
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
            return UsageError("the html file's path cannot be written in code page 949",
                              kRenderUsage);
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
    const std::optional<VerificationRunAhead> ahead =
        CheckAhead(options.documents, options.verify ? UnwrapMode::Verify : UnwrapMode::Show,
                   OpenSslVerifierFactory(trustFolder));
    const ShownPageSink shown = makeSink ? makeSink(session.State().m_strLogFolder) : nullptr;

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
        if (shown && session.State().m_bDocumentShown == 1) {
            allSaved &= shown(document, session.HtmlFilePath(), session.LastOutcome());
        }
        ui.EndDocument();
    }
    return allShown && allSaved ? kAllShown : kSomeFailed;
}

}  // namespace ledgra
