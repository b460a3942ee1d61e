// The XML signature check on a fuzzed document: bounded (the parser's limits and the
// canonicalisation's work bound), silent (libxml2 never reports on the terminal), and an intact
// verdict always comes with a signer and the signed part to show.

#include "render/XmlParsing.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "verify/XmlSignature.h"

namespace ledgra::fuzz {

void FuzzXmlSignature(std::string_view input) {
    const XmlSignatureCheck check = [input] {
        LibxmlStaysQuiet quiet;
        return CheckXmlSignature(input);
    }();

    switch (check.state) {
        case XmlSignatureCheck::State::Intact:
            FUZZ_CHECK(!check.certificateDer.empty());
            FUZZ_CHECK(check.signedDocument.starts_with("\xEF\xBB\xBF<?xml"));
            FUZZ_CHECK(check.signer.name == check.signerName);
            // What is shown is one XML document again.
            FUZZ_CHECK(ParseXmlFileBytes(check.signedDocument, XmlNamespaces::AsWritten));
            break;
        case XmlSignatureCheck::State::Refused:
            // libxml2 failing inside the check is a fault of the check, not of the document.
            FUZZ_CHECK(check.failure != VerifierFailure::InternalError);
            break;
        case XmlSignatureCheck::State::Unsigned:
            break;
    }
}

}  // namespace ledgra::fuzz
