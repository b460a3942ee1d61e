#pragma once
// The XML signature of a plain XML document (a standard-schema tax invoice): whether the
// document carries one, and whether it is intact. Trust in the signer's certificate is a
// separate question, which the verification module answers.

#include <string>
#include <string_view>

#include "render/XmlDocument.h"
#include "verify/SignatureVerdict.h"
#include "verify/VerifierFailure.h"
#include "verify/XmlCanonical.h"

namespace ledgra {

struct XmlSignatureCheck {
    enum class State {
        Unsigned,  // no ds:Signature (or unreadable XML that never names the signature namespace:
                   // the renderer reports that)
        Intact,    // digest and signature value verify with the certificate in KeyInfo
        Refused,   // changed, broken, or outside the one form invoices use
    } state = State::Unsigned;

    VerifierFailure failure = VerifierFailure::UnsupportedXmlSignature;  // when Refused
    std::string detail;                                                  // ASCII, when Refused

    // When Intact:
    CanonicalReading reading = CanonicalReading::Java;  // the reading the digest matched
    std::string signerName;                             // code page 949
    SignerFacts signer;  // the certificate's facts and the signature's algorithms
    std::string certificateDer;
    // The document reduced to its signed nodes, as a UTF-8 file with a byte-order mark: what
    // the page may show.
    std::string signedDocument;

    // When Unsigned and the document parsed: its tree, for its readers.
    ParsedXml unsignedTree;
};

// Checks the document bytes as a file holds them. Bounded by the XML parser's limits and by
// kMaxCanonicalWork; the signed node set is computed once for the document, not once per node,
// and the reference digest is taken from the canonical form as it streams. libxml2's own
// reports end up in `detail`, never on the terminal.
XmlSignatureCheck CheckXmlSignature(std::string_view documentBytes);

}  // namespace ledgra
