#pragma once
// What the module tells about a signer: the name from its certificate and the time from its
// signed signingTime attribute (never from anything unsigned).

#include <ctime>
#include <optional>
#include <string>

#include "verify/OpenSslHandles.h"
#include "verify/SignatureVerdict.h"

namespace ledgra {

// The last (most specific) common name of the subject, else the whole subject, in code page 949.
// Control characters become "?" so that a name cannot forge lines of the signer list.
std::string SignerName(X509* certificate);

// What the certificate itself states: names, serial number, validity, and its key and digest as
// the certificate's own signature algorithm names them. The signing time and the trust in it
// are left for the caller.
SignerFacts CertificateFacts(X509* certificate);

// The certificate's whole subject on one line (RFC 2253 order), code page 949.
std::string SubjectLine(X509* certificate);

struct SigningTime {
    std::time_t time = 0;
    std::string text;  // "YYYY-MM-DD HH:MM:SS UTC"
};

// nullopt: no signingTime attribute. Throws nothing; `malformed` is set when the attribute is
// there but is not one well-formed UTCTime or GeneralizedTime.
std::optional<SigningTime> SignedSigningTime(CMS_SignerInfo* signer, bool& malformed);

}  // namespace ledgra
