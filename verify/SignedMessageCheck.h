#pragma once
// The checks that make a signed message "verified", in the module's two steps. Opening: it is
// a CMS SignedData in DER (or BER) that fills the bytes exactly and carries its content.
// Verifying: it has signers, and every signer's certificate, chain, signature and signed
// attributes hold up against the trust folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "verify/OpenSslHandles.h"
#include "verify/SignatureVerdict.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

struct VerifiedSigner {
    std::string name;  // common name of the certificate's subject, code page 949
    // "YYYY-MM-DD HH:MM:SS UTC", empty without a signingTime; when the certificate has expired
    // by now, followed by " (인증서 만료: YYYY-MM-DD)": the chain is checked at the signing
    // time, which only the signer vouches for.
    std::string signingTime;
    // The certificate's facts, the signer's algorithms and its chain up to the trusted root.
    SignerFacts facts;
};

struct OpenedMessage {
    std::optional<VerifierFailure> failure;
    CmsHandle cms;
    std::string content;  // the encapsulated content, not yet verified
};

OpenedMessage OpenSignedMessage(std::string_view der);

struct MessageCheck {
    std::optional<VerifierFailure> failure;
    std::string detail;   // CertificateInvalid: what OpenSSL found; CertificateExpired: the day
    std::string content;  // only set when the message verified
    std::vector<VerifiedSigner> signers;
};

MessageCheck VerifySignedMessage(CMS_ContentInfo* cms, const std::filesystem::path& trustFolder);

}  // namespace ledgra
