// The session's commands and the copy button's rule, with a window that records what it is
// asked and renderers that record the copy asked for.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"
#include "tests/verify/FakeSignedDataVerifier.h"
#include "text/Cp949.h"
#include "verify/DocumentSession.h"

namespace ledgra {
namespace {

using Lines = std::vector<std::string>;
using C = FrameCommand;

class RecordingWindow final : public CommandWindow {
public:
    std::optional<std::filesystem::path> SelectedDocument() override { return selected; }
    void OpenSettings() override { events.push_back("settings"); }
    void PrintDocument() override { events.push_back("print"); }
    void SetCopyCaption(const std::string& caption) override {
        events.push_back("caption " + Utf8FromCp949(caption));
    }
    void FocusShownPage() override { events.push_back("focus"); }

    std::optional<std::filesystem::path> selected;
    Lines events;
};

TEST(DocumentSession, RoutesTheFrameCommandsAndCountsTheCopyButtonsPresses) {
    const struct {
        std::vector<C> commands;
        bool selected;
        Lines events;
    } rows[] = {
        {{C::OpenSettings, C::Print, static_cast<C>(99)}, true, {"settings", "print"}},
        {{C::VerifySelected}, true, {"render"}},
        {{C::ShowActivated}, true, {"caption 공급받는자", "render", "focus"}},
        {{C::ShowActivated, C::ShowOtherCopy, C::ShowOtherCopy, C::ShowSelected},
         true,
         {"caption 공급받는자", "render", "focus", "render other copy", "caption 공급자",
          "render other copy", "caption 공급받는자", "caption 공급자", "render"}},
        // No invoice page yet, so no other copy comes up: the caption stays.
        {{C::ShowOtherCopy}, true, {"render other copy", "caption 공급받는자"}},
        {{C::VerifySelected, C::ShowOtherCopy, C::ShowActivated, C::ShowSelected}, false, {}},
    };
    for (const auto& row : rows) {
        testing::TempFolder folder;
        MemoryProfile profile;
        const PageTemplates templates;
        testing::RecordingUserInterface ui;
        testing::FakeModuleScript script;
        testing::FakeModuleLog log;
        RecordingWindow window;
        const Renderer recording = [&window](const RenderContext& context, const RenderInput&) {
            window.events.push_back(context.copy.otherCopy ? "render other copy" : "render");
            if (!context.copy.otherCopy) return RenderedPage{"<html/>", 1};
            // As the invoice renderers: the other copy of no copy shown before is no page.
            if (context.copy.lastCopy == 0) return RenderedPage{};
            return RenderedPage{"<html/>", 3 - context.copy.lastCopy};
        };
        DocumentSession session(folder.Path().native() + "/", profile, templates, ui,
                                testing::FakeModuleFactory(script, log),
                                {recording, recording, recording, recording, recording});
        if (row.selected) window.selected = folder.Write("a.cqs", "<body/>");
        for (const C command : row.commands) session.Route(command, window);
        EXPECT_EQ(window.events, row.events);
        EXPECT_EQ(session.State().m_bShowOtherCopy, 0);
        if (!row.selected) {
            // Every show says so; verify says nothing.
            EXPECT_EQ(ui.Lines(), Lines(3, "box|에러 메시지|!|파일이 선택되지 않았습니다."));
        }
    }
}

}  // namespace
}  // namespace ledgra
