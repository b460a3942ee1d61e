#pragma once
// The trust anchors: the certificates in the trust folder and nothing else (never the
// system's TLS roots, never a certificate that came with a message).

#include <filesystem>
#include <optional>

#include "verify/OpenSslHandles.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

struct TrustStore {
    X509StoreHandle store;                   // set when at least one certificate was loaded
    std::optional<VerifierFailure> failure;  // TrustFolderMissing, TrustFolderEmpty, InternalError
};

// Loads every "*.pem", "*.crt", "*.cer" and "*.der" file directly in `folder` (PEM with one or
// more certificates, or one DER certificate); files that are too large or hold no certificate
// are passed over.
TrustStore LoadTrustStore(const std::filesystem::path& folder);

}  // namespace ledgra
