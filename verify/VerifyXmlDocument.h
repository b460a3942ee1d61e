#pragma once
// The check of a plain XML document's XML signature within a run, and how the run tells it.
// A document without a signature is accepted as it is (verdict Unsigned). A broken or refused
// signature is told as a module error and fails the run. An intact one names its signer and
// says, on a line of its own, whether the signer's certificate could be confirmed: the
// signature's validity and the trust in its certificate are separate results (Verified or
// Unconfirmed), and the run tells the verdict.

#include <string>
#include <string_view>

#include "base/UserInterface.h"
#include "render/XmlDocument.h"
#include "verify/SignatureVerdict.h"
#include "verify/SignedContainer.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

struct XmlDocumentSignature {
    bool intact = false;
    // When intact: the document reduced to its signed nodes, for the renderer.
    std::string signedDocument;
    // When not signed: the document's tree, when the check kept the one it parsed.
    ParsedXml unsignedTree;
    // When intact: the signer and certificate lines joined into one, for the status bar.
    std::string statusLine;
    SignatureReport report;
};

// True when the document may be shown. In verify mode an intact signature is listed in an
// "Info" box: "서명정보:<name>, 서명시간 : " (the signature states no time), then the
// certificate line. The certificate is checked by one use of the verification module.
bool VerifyXmlDocument(std::string_view documentBytes, UnwrapMode mode,
                       const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
                       XmlDocumentSignature& signature);

}  // namespace ledgra
