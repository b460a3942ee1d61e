#include "verify/TrustStore.h"

#include <openssl/pem.h>

#include <sys/stat.h>

#include <algorithm>
#include <iterator>
#include <mutex>
#include <string>
#include <string_view>

#include "base/FileAccess.h"
#include "text/ByteString.h"

namespace ledgra {
namespace {

// A root certificate is a few kilobytes; a folder of them is short.
constexpr std::size_t kMaxCertificateFileBytes = 1 << 20;
constexpr std::size_t kMaxFiles = 512;
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

// A trust file as the folder listed it, with what tells a changed file from the one read.
struct TrustFile {
    std::string name;
    TrustFileKind kind;
    struct stat status;

    bool operator==(const TrustFile& other) const {
        const struct stat& a = status;
        const struct stat& b = other.status;
        return name == other.name && kind == other.kind && a.st_dev == b.st_dev &&
               a.st_ino == b.st_ino && a.st_size == b.st_size &&
               a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
               a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
    }
};

// The trust files directly in the folder (links followed), in the folder's order; nothing when
// the folder is missing.
std::optional<std::vector<TrustFile>> ListTrustFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return std::nullopt;
    std::vector<TrustFile> files;
    std::filesystem::directory_iterator entries(
        folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && entries != std::filesystem::directory_iterator() && files.size() < kMaxFiles;
         entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        TrustFile file{path.filename().native(), KindOf(path), {}};
        if (file.kind == TrustFileKind::None || ::stat(path.c_str(), &file.status) != 0 ||
            !S_ISREG(file.status.st_mode)) {
            continue;
        }
        files.push_back(std::move(file));
    }
    return files;
}

TrustStore ReadTrustFiles(const std::filesystem::path& folder,
                          const std::optional<std::vector<TrustFile>>& files) {
    if (!files) return {nullptr, VerifierFailure::TrustFolderMissing};
    X509StoreHandle store(X509_STORE_new());
    if (!store) return {nullptr, VerifierFailure::InternalError};

    int certificates = 0;
    int revocationLists = 0;
    for (const TrustFile& file : *files) {
        if (std::optional<std::string> bytes =
                ReadRegularFile(folder / file.name, kMaxCertificateFileBytes)) {
            if (file.kind == TrustFileKind::Certificates) {
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

// Another reference to a store that stays in a cache.
TrustStore Shared(X509_STORE* store, const std::optional<VerifierFailure>& failure) {
    if (store == nullptr) return {nullptr, failure};
    if (X509_STORE_up_ref(store) != 1) return {nullptr, VerifierFailure::InternalError};
    return {X509StoreHandle(store), std::nullopt};
}

// The folders read in this process, each with its listing then; a folder is read again only
// when its listing or a file's size or times have changed. Stores are shared across threads,
// which OpenSSL allows for verification.
class ProcessTrustCache {
public:
    TrustStore Load(const std::filesystem::path& folder) {
        std::optional<std::vector<TrustFile>> files = ListTrustFolder(folder);
        const std::lock_guard lock(m_mutex);
        auto known = std::find_if(m_entries.begin(), m_entries.end(),
                                  [&folder](const Entry& entry) { return entry.folder == folder; });
        if (known != m_entries.end() && known->files == files) {
            return Shared(known->store.get(), known->failure);
        }
        TrustStore read = ReadTrustFiles(folder, files);
        if (read.failure == VerifierFailure::InternalError) return read;
        if (known == m_entries.end()) {
            if (m_entries.size() == kMaxFolders) m_entries.erase(m_entries.begin());
            known = m_entries.insert(m_entries.end(), Entry{folder, {}, nullptr, std::nullopt});
        }
        known->files = std::move(files);
        known->store = std::move(read.store);
        known->failure = read.failure;
        return Shared(known->store.get(), known->failure);
    }

private:
    // One folder is the rule; tests and tools may name a few.
    static constexpr std::size_t kMaxFolders = 8;

    struct Entry {
        std::filesystem::path folder;
        std::optional<std::vector<TrustFile>> files;
        X509StoreHandle store;
        std::optional<VerifierFailure> failure;
    };
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

TrustStore ReadTrustFolder(const std::filesystem::path& folder) {
    // Never destroyed: at exit OpenSSL may be cleaned up before the stores would be freed.
    static ProcessTrustCache& cache = *new ProcessTrustCache;
    return cache.Load(folder);
}

}  // namespace

struct TrustStoreRunCache::Entry {
    std::filesystem::path folder;
    X509StoreHandle store;
    std::optional<VerifierFailure> failure;
};

TrustStoreRunCache::TrustStoreRunCache() : m_outer(t_runCache) {
    if (m_outer == nullptr) t_runCache = this;
}

TrustStoreRunCache::~TrustStoreRunCache() {
    if (m_outer == nullptr) t_runCache = nullptr;
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
