#pragma once
// Owning handles for the OpenSSL objects the verification module (and its test fixtures) use:
// every object is freed on every path.

#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/cms.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <openssl/x509_vfy.h>

#include <cstddef>
#include <limits>
#include <memory>

namespace ledgra {

template <typename T, void (*Free)(T*)>
struct OpenSslDeleter {
    void operator()(T* object) const { Free(object); }
};

template <typename T, void (*Free)(T*)>
using OpenSslHandle = std::unique_ptr<T, OpenSslDeleter<T, Free>>;

inline void FreeBio(BIO* bio) {
    BIO_free_all(bio);
}
inline void FreeCertificateStack(STACK_OF(X509) * certificates) {
    sk_X509_pop_free(certificates, X509_free);
}

using BioHandle = OpenSslHandle<BIO, FreeBio>;
using CmsHandle = OpenSslHandle<CMS_ContentInfo, CMS_ContentInfo_free>;
using X509Handle = OpenSslHandle<X509, X509_free>;
using X509CrlHandle = OpenSslHandle<X509_CRL, X509_CRL_free>;
using X509StackHandle = OpenSslHandle<STACK_OF(X509), FreeCertificateStack>;
using X509StoreHandle = OpenSslHandle<X509_STORE, X509_STORE_free>;
using X509StoreCtxHandle = OpenSslHandle<X509_STORE_CTX, X509_STORE_CTX_free>;
using KeyHandle = OpenSslHandle<EVP_PKEY, EVP_PKEY_free>;
using BignumHandle = OpenSslHandle<BIGNUM, BN_free>;
using Asn1TimeHandle = OpenSslHandle<ASN1_TIME, ASN1_TIME_free>;

// Leaves OpenSSL's error queue empty when an operation ends, whichever way it ends.
struct ErrorQueueClearer {
    ~ErrorQueueClearer() { ERR_clear_error(); }
};

// A read-only memory BIO over bytes that outlive it; null when they are too many for one.
inline BioHandle MemoryBio(const void* bytes, std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) return nullptr;
    return BioHandle(BIO_new_mem_buf(bytes, static_cast<int>(size)));
}

}  // namespace ledgra
