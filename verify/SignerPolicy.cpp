#include "verify/SignerPolicy.h"

#include <openssl/objects.h>
#include <openssl/x509v3.h>

namespace ledgra {

bool IsRefusedDigest(int nid) {
    int digest = nid;
    int key = NID_undef;
    // A signature algorithm names its digest; a digest names itself.
    if (OBJ_find_sigid_algs(nid, &digest, &key) != 1) digest = nid;
    return digest == NID_md5 || digest == NID_md4 || digest == NID_md2 || digest == NID_md5_sha1;
}

std::optional<VerifierFailure> WeakKeyFailure(EVP_PKEY* key) {
    if (key == nullptr) return VerifierFailure::WeakKey;
    if (EVP_PKEY_base_id(key) == EVP_PKEY_RSA && EVP_PKEY_get_bits(key) < kMinRsaKeyBits) {
        return VerifierFailure::WeakKey;
    }
    return std::nullopt;
}

namespace {

std::optional<VerifierFailure> WeakCertificateFailure(X509* certificate, bool checkSignature) {
    if (auto weak = WeakKeyFailure(X509_get0_pubkey(certificate))) return weak;
    if (checkSignature && IsRefusedDigest(X509_get_signature_nid(certificate))) {
        return VerifierFailure::WeakDigest;
    }
    return std::nullopt;
}

}  // namespace

std::optional<VerifierFailure> SignerCertificateFailure(X509* certificate) {
    // Set when basicConstraints says CA:TRUE.
    if ((X509_get_extension_flags(certificate) & EXFLAG_CA) != 0) {
        return VerifierFailure::SignerIsAuthority;
    }
    return WeakCertificateFailure(certificate, true);
}

std::optional<VerifierFailure> WeakChainFailure(STACK_OF(X509) * chain) {
    const int count = chain ? sk_X509_num(chain) : 0;
    for (int i = 0; i < count; ++i) {
        const bool anchor = i == count - 1;
        if (auto weak = WeakCertificateFailure(sk_X509_value(chain, i), !anchor)) return weak;
    }
    return std::nullopt;
}

}  // namespace ledgra
