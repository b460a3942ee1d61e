#pragma once
// The verification run: carries one document file from a path to the screen. It unwraps and
// verifies the file, tells the user the outcome, renders the content with the renderer the
// extension chooses, writes the page into the html file and shows it.

#include <filesystem>
#include <string>

#include "render/FrameState.h"
#include "render/PageTemplates.h"
#include "render/UserInterface.h"
#include "settings/Profile.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

class VerificationRun {
public:
    VerificationRun(FrameState& frame, const Profile& profile, const PageTemplates& templates,
                    UserInterface& ui, SignedDataVerifierFactory verifierFactory);

    // Started by the verify command: success is announced in a message box, the signers of a
    // bare signed message are listed.
    void VerifyDocument(const std::filesystem::path& path);
    // Started by a double click, the copy button, the hand-off and the start-up path: success
    // is announced in the status bar; a signed message inside a signed message is unwrapped.
    void ShowDocument(const std::filesystem::path& path);

    // The file the page is written to: the stored "html file", else the log folder's
    // zova_document.html.
    std::filesystem::path HtmlFilePath() const;

private:
    FrameState& m_frame;
    const Profile& m_profile;
    const PageTemplates& m_templates;
    UserInterface& m_ui;
    SignedDataVerifierFactory m_verifierFactory;
};

}  // namespace ledgra
