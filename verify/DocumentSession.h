#pragma once
// The document session: what the viewer does with the documents the user picks, apart from
// any window. It owns the frame state and the verification run, keeps the copy button's rule
// and routes the frame's commands. The main frame drives one, and so does ledgra-render.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/UserInterface.h"
#include "render/PageTemplates.h"
#include "render/Renderer.h"
#include "settings/Profile.h"
#include "verify/FrameCommand.h"
#include "verify/FrameState.h"
#include "verify/SignedDataVerifier.h"
#include "verify/VerificationRun.h"

namespace ledgra {

// What the frame's commands need of the window that holds the session.
class CommandWindow {
public:
    virtual ~CommandWindow() = default;
    // The document file selected in the tree; nothing when no file is selected.
    virtual std::optional<std::filesystem::path> SelectedDocument() = 0;
    virtual void OpenSettings() = 0;
    virtual void PrintDocument() = 0;
    // The copy button's caption, and its tooltip, become `caption`.
    virtual void SetCopyCaption(const std::string& caption) = 0;
    // A double click showed its page: the keyboard now scrolls that page.
    virtual void FocusShownPage() = 0;
};

// Told at the end of every run the session starts, with how it ended.
using RunEndedFunction = std::function<void(const RunOutcome&)>;

class DocumentSession {
public:
    // `logFolder` ends with its separator. `renderers` are the product's unless a test puts its
    // own in their place.
    DocumentSession(std::filesystem::path logFolder, const Profile& profile,
                    const PageTemplates& templates, UserInterface& ui,
                    SignedDataVerifierFactory verifierFactory,
                    DocumentRenderers renderers = ProductRenderers());

    // The frame's command router. Showing without a selected document file says
    // "파일이 선택되지 않았습니다."; verifying without one does nothing, as does a command of
    // no known code.
    void Route(FrameCommand command, CommandWindow& window);

    // A double click on a document: the copy button starts over at "공급받는자" before the
    // run; a page that came up takes the keyboard.
    void ShowActivatedDocument(const std::filesystem::path& path, CommandWindow& window);

    // For a host without a window, which gets the copy button's caption back instead: the
    // double click, and the copy button (the document is shown again as the copy not shown
    // last; the caption turns over only when that copy came up).
    const std::string& ShowActivatedDocument(const std::filesystem::path& path);
    const std::string& ShowOtherCopy(const std::filesystem::path& path);

    // The hand-off, the start-up path and a drop: shown, the copy button left as it is.
    void ShowDocument(const std::filesystem::path& path);
    void VerifyDocument(const std::filesystem::path& path);

    // The file the pages are written to.
    std::filesystem::path HtmlFilePath() const;
    // How the last run ended, what it read and what it found out.
    const RunOutcome& LastOutcome() const { return m_run.LastOutcome(); }
    // Whether the other copy can be asked for: the last run showed an invoice's page.
    bool OtherCopyAvailable() const;
    void OnRunEnded(RunEndedFunction runEnded) { m_runEnded = std::move(runEnded); }
    FrameState& State() { return m_state; }
    const FrameState& State() const { return m_state; }

private:
    // The selected document shown again (the caption turns over) or as a double click does.
    void ShowSelected(CommandWindow& window, bool activated);
    // The copy button's rule: its caption counts the presses that showed the other copy, a
    // double click starts it over.
    const std::string& StartCopyCycle();
    const std::string& TurnCopyCaption();
    const std::string& CopyCaption() const;
    void RunEnded();

    FrameState m_state;
    VerificationRun m_run;
    UserInterface& m_ui;
    RunEndedFunction m_runEnded;
};

}  // namespace ledgra
