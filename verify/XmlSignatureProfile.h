#pragma once
// The one form of enveloped XML signature that standard-schema tax invoices carry, read from a
// document tree as written (namespaces kept). Anything outside it is refused with a reason.
//
// The form: one ds:Signature; SignedInfo with inclusive canonical XML 1.0 (no comments) and
// RSA with SHA-256, -384 or -512; one Reference with URI="", transformed by canonical XML 1.0
// and the XPath filter that leaves out the root TaxInvoice element, the ExchangedDocument and
// the signature itself; a SHA-256, -384 or -512 digest; the signer's X.509 certificate in
// KeyInfo.

#include <libxml/tree.h>

#include <string>

#include "verify/VerifierFailure.h"

namespace ledgra {

inline constexpr const char* kXmlSignatureNamespace = "http://www.w3.org/2000/09/xmldsig#";

// The filter's expression, with which every signed invoice names the nodes it leaves out.
inline constexpr const char* kInvoiceSignatureFilter =
    "not(self::*[name() = 'TaxInvoice'] | ancestor-or-self::*[name() = 'ExchangedDocument'] | "
    "ancestor-or-self::ds:Signature)";

enum class XmlDigest { Sha256, Sha384, Sha512 };

struct XmlSignatureProfile {
    enum class Found { None, One, Refused } found = Found::None;
    VerifierFailure failure = VerifierFailure::UnsupportedXmlSignature;  // when Refused
    std::string detail;                                                  // ASCII, when Refused

    xmlNode* signature = nullptr;   // the ds:Signature element
    xmlNode* signedInfo = nullptr;  // its SignedInfo
    XmlDigest signatureDigest = XmlDigest::Sha256;
    XmlDigest referenceDigest = XmlDigest::Sha256;
    std::string digestValue;     // decoded
    std::string signatureValue;  // decoded
    std::string certificateDer;  // decoded
};

// Finds the document's signature and reads it. None: the document carries no ds:Signature.
XmlSignatureProfile ReadXmlSignatureProfile(xmlDoc* document);

}  // namespace ledgra
