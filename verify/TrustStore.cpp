#include "verify/TrustStore.h"

#include <openssl/pem.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

#include "base/FileAccess.h"
#include "text/ByteString.h"

namespace ledgra {
namespace {

// A root certificate is a few kilobytes; a folder of them is short.
constexpr std::size_t kMaxCertificateFileBytes = 1 << 20;
constexpr int kMaxFiles = 512;
constexpr int kMaxCertificatesPerFile = 256;

constexpr int kMaxListsPerFile = 256;

enum class TrustFileKind { None, Certificates, RevocationList };

TrustFileKind KindOf(const std::filesystem::path& path) {
    const std::string extension = ToUpperAscii(path.extension().string());
    if (extension == ".PEM" || extension == ".CRT" || extension == ".CER" || extension == ".DER") {
        return TrustFileKind::Certificates;
    }
    return extension == ".CRL" ? TrustFileKind::RevocationList : TrustFileKind::None;
}

// Adds the certificates of one file; returns how many were added.
int AddCertificates(X509_STORE* store, std::string_view bytes) {
    int added = 0;
    if (bytes.find("-----BEGIN") != std::string_view::npos) {
        BioHandle bio = MemoryBio(bytes.data(), bytes.size());
        while (bio && added < kMaxCertificatesPerFile) {
            X509Handle certificate(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
            if (!certificate) break;
            if (X509_STORE_add_cert(store, certificate.get()) == 1) ++added;
        }
        return added;
    }
    const auto* start = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* next = start;
    X509Handle certificate(d2i_X509(nullptr, &next, static_cast<long>(bytes.size())));
    if (certificate && next == start + bytes.size() &&
        X509_STORE_add_cert(store, certificate.get()) == 1) {
        ++added;
    }
    return added;
}

// Adds the revocation lists of one file; returns how many were added.
int AddRevocationLists(X509_STORE* store, std::string_view bytes) {
    int added = 0;
    if (bytes.find("-----BEGIN") != std::string_view::npos) {
        BioHandle bio = MemoryBio(bytes.data(), bytes.size());
        while (bio && added < kMaxListsPerFile) {
            X509CrlHandle list(PEM_read_bio_X509_CRL(bio.get(), nullptr, nullptr, nullptr));
            if (!list) break;
            if (X509_STORE_add_crl(store, list.get()) == 1) ++added;
        }
        return added;
    }
    const auto* start = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* next = start;
    X509CrlHandle list(d2i_X509_CRL(nullptr, &next, static_cast<long>(bytes.size())));
    if (list && next == start + bytes.size() && X509_STORE_add_crl(store, list.get()) == 1) {
        ++added;
    }
    return added;
}

// A revocation list the user placed is honoured for what it lists. An issuer without a list is
// not checked, and a list's own dates do not matter: chains are checked at the signing time,
// which lies before a list issued later and after one that has since been renewed.
int IgnoreMissingOrDatedLists(int ok, X509_STORE_CTX* context) {
    switch (X509_STORE_CTX_get_error(context)) {
        case X509_V_ERR_UNABLE_TO_GET_CRL:
        case X509_V_ERR_CRL_NOT_YET_VALID:
        case X509_V_ERR_CRL_HAS_EXPIRED:
            return 1;
        default:
            return ok;
    }
}

thread_local TrustStoreRunCache* t_runCache = nullptr;

TrustStore ReadTrustFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return {nullptr, VerifierFailure::TrustFolderMissing};
    }
    X509StoreHandle store(X509_STORE_new());
    if (!store) return {nullptr, VerifierFailure::InternalError};

    int files = 0;
    int certificates = 0;
    int revocationLists = 0;
    std::filesystem::directory_iterator entries(
        folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && entries != std::filesystem::directory_iterator() && files < kMaxFiles;
         entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        std::error_code fileError;
        const TrustFileKind kind = KindOf(path);
        if (kind == TrustFileKind::None || !entries->is_regular_file(fileError) || fileError) {
            continue;
        }
        ++files;
        if (std::optional<std::string> bytes = ReadRegularFile(path, kMaxCertificateFileBytes)) {
            if (kind == TrustFileKind::Certificates) {
                certificates += AddCertificates(store.get(), *bytes);
            } else {
                revocationLists += AddRevocationLists(store.get(), *bytes);
            }
        }
    }
    if (certificates == 0) return {nullptr, VerifierFailure::TrustFolderEmpty};
    if (revocationLists > 0) {
        X509_STORE_set_flags(store.get(), X509_V_FLAG_CRL_CHECK | X509_V_FLAG_CRL_CHECK_ALL);
        X509_STORE_set_verify_cb(store.get(), IgnoreMissingOrDatedLists);
    }
    return {std::move(store), std::nullopt};
}

}  // namespace

struct TrustStoreRunCache::Entry {
    std::filesystem::path folder;
    X509StoreHandle store;
    std::optional<VerifierFailure> failure;
};

TrustStoreRunCache::TrustStoreRunCache() : m_outer(t_runCache) {
    t_runCache = this;
}

TrustStoreRunCache::~TrustStoreRunCache() {
    t_runCache = m_outer;
}

TrustStore LoadTrustStore(const std::filesystem::path& folder) {
    TrustStoreRunCache* cache = t_runCache;
    if (cache == nullptr) return ReadTrustFolder(folder);
    auto known = std::find_if(cache->m_entries.begin(), cache->m_entries.end(),
                              [&folder](const auto& entry) { return entry.folder == folder; });
    if (known == cache->m_entries.end()) {
        TrustStore read = ReadTrustFolder(folder);
        cache->m_entries.push_back({folder, std::move(read.store), read.failure});
        known = std::prev(cache->m_entries.end());
    }
    if (!known->store) return {nullptr, known->failure};
    if (X509_STORE_up_ref(known->store.get()) != 1)
        return {nullptr, VerifierFailure::InternalError};
    return {X509StoreHandle(known->store.get()), std::nullopt};
}

}  // namespace ledgra
