#pragma once
// The verification run: carries one document file from a path to the screen. It unwraps and
// verifies the file, tells the user the outcome, renders the content with the renderer the
// extension chooses, writes the page into the html file and shows it.

#include <ctime>
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

    // What a page or an invoice record is drawn from: for an intact XML signature only the
    // signed nodes.
    const std::string& ShownContent() const {
        return xmlSignature.intact ? xmlSignature.signedDocument : content;
    }
    // The tree of ShownContent when the check kept one (a plain XML document without a
    // signature), else null.
    const ParsedXml* ShownTree() const {
        return xmlSignature.unsignedTree ? &xmlSignature.unsignedTree : nullptr;
    }
};

// How the last run ended and what it read, for whatever tells the outcome afterwards (the
// window's signature bar and failure page, a saved PDF's proof): nothing of it is read from
// the document file again.
struct RunOutcome {
    std::filesystem::path document;
    // The file exactly as the run read it, once; empty when it could not be read.
    std::string fileBytes;
    std::time_t checkedAt = 0;
    SignatureReport signature;
    std::string pattern;
    // VerifiedDocument::ShownContent; empty when the verification failed.
    std::string shownContent;
    // Its tree, when the check kept one (VerifiedDocument::ShownTree): what reads the shown
    // invoice afterwards does not parse it again.
    ParsedXml shownTree;
    // The run ended with its page in the view.
    bool shown = false;
    // The copy of an invoice its page shows (as m_nLastCopy); 0 for a contract or content page.
    int copy = 0;
    // The outcome in one line, as status pane 0 keeps it after the run (code page 949).
    std::string statusLine;
    // Why no page was shown (code page 949); empty when one was.
    std::string failure;
};

// The check a run begins with, apart from any run: the file read and unwrapped and its
// signatures verified, what the user is told on the way going to `ui`. Writes nothing and
// touches no run's state, so it may run on any thread.
struct DocumentCheck {
    bool accepted = false;
    // The file exactly as it was read, once; empty when it could not be read.
    std::string fileBytes;
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
    // How the last run of either form ended (VerifyDocument, ShowDocument).
    const RunOutcome& LastOutcome() const { return m_outcome; }

private:
    void Run(const std::filesystem::path& path, UnwrapMode mode);
    // The run's end without its page: `failure` says why.
    void EndWithoutPage(std::string statusLine, std::string failure);
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
    RunOutcome m_outcome;
};

// The words of a verdict the show form puts into status pane 0 (code page 949): for Verified
// the success text (with the signer line of an intact XML signature), for Unsigned and
// Unconfirmed their own; empty for Failed.
std::string VerdictStatusText(const SignatureReport& report,
                              const XmlDocumentSignature& xmlSignature = {});

}  // namespace ledgra
