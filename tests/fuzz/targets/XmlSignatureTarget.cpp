// The XML signature check on a fuzzed document: bounded (the parser's limits and the
// canonicalisation's work bound), silent (libxml2 never reports on the terminal), and an intact
// verdict always comes with a signer and the signed part to show.

#include <libxml/xmlerror.h>

#include "render/XmlParsing.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "verify/XmlSignature.h"

namespace ledgra::fuzz {
namespace {

// Outside the check's own capture, any report of libxml2 would reach the terminal.
void ReportEscaped(void*, const char*, ...) {
    FuzzCheckFailed("a libxml2 message escaped to the terminal", __FILE__, __LINE__);
}

template <typename ErrorPointer>
void StructuredReportEscaped(void*, ErrorPointer) {
    FuzzCheckFailed("a libxml2 message escaped to the terminal", __FILE__, __LINE__);
}

}  // namespace

void FuzzXmlSignature(std::string_view input) {
    PrepareXmlLibrary();
    xmlSetGenericErrorFunc(nullptr, ReportEscaped);
    xmlSetStructuredErrorFunc(nullptr, StructuredReportEscaped);
    const XmlSignatureCheck check = CheckXmlSignature(input);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    xmlSetGenericErrorFunc(nullptr, nullptr);

    switch (check.state) {
        case XmlSignatureCheck::State::Intact:
            FUZZ_CHECK(!check.certificateDer.empty());
            FUZZ_CHECK(check.signedDocument.starts_with("\xEF\xBB\xBF<?xml"));
            FUZZ_CHECK(check.signer.name == check.signerName);
            // What is shown is one XML document without the parts the signature leaves out.
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
