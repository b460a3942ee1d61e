// The plain OpenSSL peer of our signed-message check: every "*.pem" of the trust folder into
// one store, then for each message file (Base64 of a DER SignedData) one CMS_verify against it.
//   peer_cms_verify TRUST_FOLDER MESSAGE...
// Prints how many messages verified; the exit status is 1 unless all did.

#include <dirent.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/x509.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool ReadFile(const char* path, std::string& bytes) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    char buffer[65536];
    bytes.clear();
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return true;
}

X509_STORE* LoadStore(const char* folder) {
    X509_STORE* store = X509_STORE_new();
    DIR* entries = opendir(folder);
    if (store == nullptr || entries == nullptr) return nullptr;
    while (const dirent* entry = readdir(entries)) {
        const std::size_t length = std::strlen(entry->d_name);
        if (length > 4 && std::strcmp(entry->d_name + length - 4, ".pem") == 0) {
            X509_STORE_load_file(store, (std::string(folder) + "/" + entry->d_name).c_str());
        }
    }
    closedir(entries);
    return store;
}

bool Verify(X509_STORE* store, const std::string& text) {
    std::string base64;
    for (char c : text) {
        if (c != '\r' && c != '\n') base64 += c;
    }
    std::string der(base64.size() / 4 * 3, '\0');
    auto* out = reinterpret_cast<unsigned char*>(der.data());
    const int decoded = EVP_DecodeBlock(
        out, reinterpret_cast<const unsigned char*>(base64.data()), static_cast<int>(base64.size()));
    if (decoded < 0) return false;
    const unsigned char* next = out;
    CMS_ContentInfo* cms = d2i_CMS_ContentInfo(nullptr, &next, decoded);
    if (cms == nullptr) return false;
    BIO* content = BIO_new(BIO_s_mem());
    const bool verified = CMS_verify(cms, nullptr, store, nullptr, content, CMS_BINARY) == 1;
    BIO_free(content);
    CMS_ContentInfo_free(cms);
    return verified;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: peer_cms_verify TRUST_FOLDER MESSAGE...\n", stderr);
        return 2;
    }
    X509_STORE* store = LoadStore(argv[1]);
    if (store == nullptr) return 2;
    int verified = 0;
    std::string text;
    for (int i = 2; i < argc; ++i) {
        if (ReadFile(argv[i], text) && Verify(store, text)) ++verified;
    }
    X509_STORE_free(store);
    std::printf("%d of %d verified\n", verified, argc - 2);
    return verified == argc - 2 ? 0 : 1;
}
