#include "verify/TrustStore.h"

#include <openssl/pem.h>

#include <fstream>
#include <string>
#include <string_view>

#include "text/ByteString.h"

namespace ledgra {
namespace {

// A root certificate is a few kilobytes; a folder of them is short.
constexpr std::uintmax_t kMaxCertificateFileBytes = 1 << 20;
constexpr int kMaxFiles = 512;
constexpr int kMaxCertificatesPerFile = 256;

bool IsCertificateFileName(const std::filesystem::path& path) {
    std::string extension = ToUpperAscii(path.extension().string());
    return extension == ".PEM" || extension == ".CRT" || extension == ".CER" || extension == ".DER";
}

std::optional<std::string> ReadBounded(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(kMaxCertificateFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::size_t count = static_cast<std::size_t>(in.gcount());
    if (count > kMaxCertificateFileBytes) return std::nullopt;  // grew since it was listed
    bytes.resize(count);
    return bytes;
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

}  // namespace

TrustStore LoadTrustStore(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        return {nullptr, VerifierFailure::TrustFolderMissing};
    }
    X509StoreHandle store(X509_STORE_new());
    if (!store) return {nullptr, VerifierFailure::InternalError};

    int files = 0;
    int certificates = 0;
    std::filesystem::directory_iterator entries(
        folder, std::filesystem::directory_options::skip_permission_denied, error);
    for (; !error && entries != std::filesystem::directory_iterator() && files < kMaxFiles;
         entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        std::error_code fileError;
        if (!IsCertificateFileName(path) || !entries->is_regular_file(fileError) ||
            entries->file_size(fileError) > kMaxCertificateFileBytes || fileError) {
            continue;
        }
        ++files;
        if (std::optional<std::string> bytes = ReadBounded(path)) {
            certificates += AddCertificates(store.get(), *bytes);
        }
    }
    if (certificates == 0) return {nullptr, VerifierFailure::TrustFolderEmpty};
    return {std::move(store), std::nullopt};
}

}  // namespace ledgra
