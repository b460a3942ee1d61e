#pragma once
// The trust anchors: the certificates in the trust folder and nothing else (never the
// system's TLS roots, never a certificate that came with a message).

#include <filesystem>
#include <optional>
#include <vector>

#include "verify/OpenSslHandles.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

struct TrustStore {
    X509StoreHandle store;                   // set when at least one certificate was loaded
    std::optional<VerifierFailure> failure;  // TrustFolderMissing, TrustFolderEmpty, InternalError
};

// Loads every "*.pem", "*.crt", "*.cer" and "*.der" file directly in `folder` (PEM with one or
// more certificates, or one DER certificate) and every "*.crl" file (PEM or DER revocation
// lists); files that are too large or hold neither are passed over. With revocation lists the
// chains are checked against them: a certificate a list of its issuer names is revoked; an
// issuer without a list, or whose list is out of date, is not checked (nothing is fetched).
// A process reads a folder once and hands out the same store again until the folder changes:
// a file added, removed or renamed, or a file's size or times changed.
TrustStore LoadTrustStore(const std::filesystem::path& folder);

// While one lives on this thread, LoadTrustStore looks at each folder once and hands out the
// same store again, changed or not: one verification run uses one trust folder, however many
// signed messages it opens. Nests; the outermost one is used, so that the runs of a batch
// share the batch's one look at the folder.
class TrustStoreRunCache {
public:
    TrustStoreRunCache();
    ~TrustStoreRunCache();
    TrustStoreRunCache(const TrustStoreRunCache&) = delete;
    TrustStoreRunCache& operator=(const TrustStoreRunCache&) = delete;

    struct Entry;

private:
    friend TrustStore LoadTrustStore(const std::filesystem::path& folder);
    TrustStoreRunCache* m_outer;
    std::vector<Entry> m_entries;
};

}  // namespace ledgra
