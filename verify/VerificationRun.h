#pragma once
// The verification run: carries one document file from a path to the screen. It unwraps and
// verifies the file, tells the user the outcome, renders the content with the renderer the
// extension chooses, writes the page into the html file and shows it.

#include <filesystem>
#include <optional>
#include <string>

#include "base/UserInterface.h"
#include "render/PageTemplates.h"
#include "render/Renderer.h"
#include "settings/Profile.h"
#include "verify/FrameState.h"
#include "verify/SignatureVerdict.h"
#include "verify/SignedContainer.h"
#include "verify/SignedDataVerifier.h"
#include "verify/VerifyXmlDocument.h"

namespace ledgra {

// A document the run verified, before any page is made of it.
struct VerifiedDocument {
    std::string pattern;  // such as "*.XML"
    std::string content;
    XmlDocumentSignature xmlSignature;
};

// The check a run begins with, apart from any run: the file read and unwrapped and its
// signatures verified, what the user is told on the way going to `ui`. Writes nothing and
// touches no run's state, so it may run on any thread.
struct DocumentCheck {
    bool accepted = false;
    VerifiedDocument document;
    // The last pass's judgement, with the reason for a rejected file.
    SignatureReport report;
};
DocumentCheck CheckDocumentFile(const std::filesystem::path& path, UnwrapMode mode,
                                const SignedDataVerifierFactory& verifierFactory,
                                UserInterface& ui);

class VerificationRun {
public:
    // `renderers` are the product's unless a test puts its own in their place.
    VerificationRun(FrameState& frame, const Profile& profile, const PageTemplates& templates,
                    UserInterface& ui, SignedDataVerifierFactory verifierFactory,
                    DocumentRenderers renderers = ProductRenderers());

    // Started by the verify command: success is announced in a message box, the signers of a
    // bare signed message are listed.
    void VerifyDocument(const std::filesystem::path& path);
    // Started by a double click, the copy button, the hand-off and the start-up path: success
    // is announced in the status bar; a signed message inside a signed message is unwrapped.
    void ShowDocument(const std::filesystem::path& path);

    // The file the page is written to: the stored "html file", else the log folder's
    // zova_document.html.
    std::filesystem::path HtmlFilePath() const;

    // The run's verification alone, as both forms begin: it tells the start and the outcome as
    // the run does but makes no page and writes no file. Nothing when the check failed.
    std::optional<VerifiedDocument> Verify(const std::filesystem::path& path, UnwrapMode mode);
    // What the last run found out about the document's signature. "서명검증이 성공했습니다."
    // is said only for Verified; Unsigned and Unconfirmed documents are shown with their own
    // words, Failed ones are not shown.
    const SignatureReport& LastReport() const { return m_report; }

private:
    void Run(const std::filesystem::path& path, UnwrapMode mode);
    // The page of the content the run read and verified; records the copy the renderer chose.
    std::string RenderPage(const std::string& pattern, const std::string& content,
                           const XmlDocumentSignature& xmlSignature);
    void TellVerdict(UnwrapMode mode, const XmlDocumentSignature& xmlSignature);

    FrameState& m_frame;
    const Profile& m_profile;
    const PageTemplates& m_templates;
    UserInterface& m_ui;
    SignedDataVerifierFactory m_verifierFactory;
    DocumentRenderers m_renderers;
    SignatureReport m_report;
};

}  // namespace ledgra
