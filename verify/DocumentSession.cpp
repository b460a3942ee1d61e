#include "verify/DocumentSession.h"

#include <utility>

#include "base/Captions.h"
#include "text/Cp949.h"

namespace ledgra {

DocumentSession::DocumentSession(std::filesystem::path logFolder, const Profile& profile,
                                 const PageTemplates& templates, UserInterface& ui,
                                 SignedDataVerifierFactory verifierFactory,
                                 DocumentRenderers renderers)
    : m_run(m_state, profile, templates, ui, std::move(verifierFactory), std::move(renderers)),
      m_ui(ui) {
    m_state.m_strLogFolder = std::move(logFolder);
}

void DocumentSession::Route(FrameCommand command, CommandWindow& window) {
    switch (command) {
        case FrameCommand::OpenSettings:
            window.OpenSettings();
            break;
        case FrameCommand::VerifySelected:
            if (const std::optional<std::filesystem::path> path = window.SelectedDocument()) {
                VerifyDocument(*path);
            }
            break;
        case FrameCommand::Print:
            window.PrintDocument();
            break;
        case FrameCommand::ShowOtherCopy:
            if (const std::optional<std::filesystem::path> path = window.SelectedDocument()) {
                window.SetCopyCaption(ShowOtherCopy(*path));
            } else {
                ShowSelected(window, false);
            }
            break;
        case FrameCommand::ShowActivated:
            ShowSelected(window, true);
            break;
        case FrameCommand::ShowSelected:
            ShowSelected(window, false);
            break;
    }
}

void DocumentSession::ShowSelected(CommandWindow& window, bool activated) {
    const std::optional<std::filesystem::path> path = window.SelectedDocument();
    if (!path) {
        m_ui.ShowMessage("파일이 선택되지 않았습니다."_cp949, ErrorCaption(),
                         MessageIcon::Exclamation);
        return;
    }
    if (activated) {
        ShowActivatedDocument(*path, window);
        return;
    }
    window.SetCopyCaption(TurnCopyCaption());
    ShowDocument(*path);
}

void DocumentSession::ShowActivatedDocument(const std::filesystem::path& path,
                                            CommandWindow& window) {
    window.SetCopyCaption(StartCopyCycle());
    ShowDocument(path);
    if (m_state.m_bDocumentShown == 1) window.FocusShownPage();
}

const std::string& DocumentSession::ShowActivatedDocument(const std::filesystem::path& path) {
    const std::string& caption = StartCopyCycle();
    ShowDocument(path);
    return caption;
}

const std::string& DocumentSession::ShowOtherCopy(const std::filesystem::path& path) {
    m_state.m_bShowOtherCopy = 1;
    ShowDocument(path);
    m_state.m_bShowOtherCopy = 0;
    // The caption tells which copy the presses brought up: a press whose run showed no
    // invoice leaves it as it was.
    return OtherCopyAvailable() ? TurnCopyCaption() : CopyCaption();
}

const std::string& DocumentSession::StartCopyCycle() {
    m_state.m_bCopyButtonSupplier = 0;
    return BuyerCopyCaption();
}

const std::string& DocumentSession::TurnCopyCaption() {
    m_state.m_bCopyButtonSupplier = m_state.m_bCopyButtonSupplier == 1 ? 0 : 1;
    return CopyCaption();
}

const std::string& DocumentSession::CopyCaption() const {
    return m_state.m_bCopyButtonSupplier == 1 ? SupplierCopyCaption() : BuyerCopyCaption();
}

bool DocumentSession::OtherCopyAvailable() const {
    const RunOutcome& outcome = m_run.LastOutcome();
    return outcome.shown && outcome.copy != 0;
}

void DocumentSession::ShowDocument(const std::filesystem::path& path) {
    m_run.ShowDocument(path);
    RunEnded();
}

void DocumentSession::VerifyDocument(const std::filesystem::path& path) {
    m_run.VerifyDocument(path);
    RunEnded();
}

void DocumentSession::RunEnded() {
    if (m_runEnded) m_runEnded(m_run.LastOutcome());
}

std::filesystem::path DocumentSession::HtmlFilePath() const {
    return m_run.HtmlFilePath();
}

}  // namespace ledgra
