#pragma once
// The checks that make a signed message "verified": it is a CMS SignedData in DER (or BER)
// that fills the bytes exactly, it carries its content, and every signer's signature, signed
// attributes and certificate chain hold up against the trust folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "verify/VerifierFailure.h"

namespace ledgra {

struct VerifiedSigner {
    std::string name;         // common name of the certificate's subject, code page 949
    std::string signingTime;  // "YYYY-MM-DD HH:MM:SS UTC", empty without a signingTime
};

struct MessageCheck {
    std::optional<VerifierFailure> failure;
    std::string detail;   // for CertificateInvalid: what OpenSSL found (ASCII)
    std::string content;  // only set when the message verified
    std::vector<VerifiedSigner> signers;
};

MessageCheck CheckSignedMessage(std::string_view der, const std::filesystem::path& trustFolder);

}  // namespace ledgra
