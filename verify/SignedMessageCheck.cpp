#include "verify/SignedMessageCheck.h"

#include <openssl/err.h>
#include <openssl/objects.h>

#include <algorithm>
#include <ctime>

#include "verify/OpenSslHandles.h"
#include "verify/SignerDetails.h"
#include "verify/TrustStore.h"

namespace ledgra {
namespace {

MessageCheck Failed(VerifierFailure failure, std::string detail = {}) {
    MessageCheck check;
    check.failure = failure;
    check.detail = std::move(detail);
    return check;
}

VerifierFailure ChainFailure(int error) {
    switch (error) {
        case X509_V_ERR_CERT_HAS_EXPIRED:
            return VerifierFailure::CertificateExpired;
        case X509_V_ERR_CERT_NOT_YET_VALID:
            return VerifierFailure::CertificateNotYetValid;
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
        case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
        case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        case X509_V_ERR_CERT_UNTRUSTED:
        case X509_V_ERR_CERT_REJECTED:
            return VerifierFailure::UntrustedCertificate;
        case X509_V_ERR_INVALID_PURPOSE:
        case X509_V_ERR_KEYUSAGE_NO_DIGITAL_SIGNATURE:
            return VerifierFailure::WrongPurpose;
        default:  // OpenSSL's codes are open-ended; the rest is a certificate fault as such
            return VerifierFailure::CertificateInvalid;
    }
}

// Checks the signer's certificate chain against the trust store with the document-signing
// purpose (OpenSSL's "smime_sign": keyUsage, where present, allows digitalSignature or
// nonRepudiation; extendedKeyUsage, where present, allows emailProtection), at the signing
// time when the signer has one. A signing time in the future counts as now.
std::optional<VerifierFailure> CheckChain(X509_STORE* store, X509* signer,
                                          STACK_OF(X509) * untrusted,
                                          const std::optional<SigningTime>& signingTime,
                                          std::string& detail) {
    X509StoreCtxHandle context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), store, signer, untrusted) != 1 ||
        X509_STORE_CTX_set_default(context.get(), "smime_sign") != 1) {
        return VerifierFailure::InternalError;
    }
    if (signingTime) {
        std::time_t at = std::min(signingTime->time, std::time(nullptr));
        X509_VERIFY_PARAM_set_time(X509_STORE_CTX_get0_param(context.get()), at);
    }
    if (X509_verify_cert(context.get()) == 1) return std::nullopt;
    int error = X509_STORE_CTX_get_error(context.get());
    VerifierFailure failure = ChainFailure(error);
    // The catch-all kind says what OpenSSL found; the others say it themselves.
    if (failure == VerifierFailure::CertificateInvalid) {
        detail = X509_verify_cert_error_string(error);
    }
    return failure;
}

}  // namespace

MessageCheck CheckSignedMessage(std::string_view der, const std::filesystem::path& trustFolder) {
    // The whole input must be one ContentInfo. BER with indefinite lengths is read too (older
    // signers write it), as long as nothing follows its end.
    const auto* start = reinterpret_cast<const unsigned char*>(der.data());
    const unsigned char* next = start;
    CmsHandle cms(d2i_CMS_ContentInfo(nullptr, &next, static_cast<long>(der.size())));
    if (!cms || next != start + der.size()) return Failed(VerifierFailure::MalformedMessage);
    if (OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed) {
        return Failed(VerifierFailure::NotSignedData);
    }
    ASN1_OCTET_STRING** content = CMS_get0_content(cms.get());
    if (!content || !*content) return Failed(VerifierFailure::NoContent);
    STACK_OF(CMS_SignerInfo)* signerInfos = CMS_get0_SignerInfos(cms.get());
    const int signerCount = signerInfos ? sk_CMS_SignerInfo_num(signerInfos) : 0;
    if (signerCount <= 0) return Failed(VerifierFailure::NoSigners);

    TrustStore trust = LoadTrustStore(trustFolder);
    if (trust.failure) return Failed(*trust.failure);

    // Finds each signer's certificate among the message's certificates.
    X509StackHandle certificates(CMS_get1_certs(cms.get()));
    if (CMS_set1_signers_certs(cms.get(), nullptr, 0) < 0) ERR_clear_error();

    MessageCheck check;
    for (int i = 0; i < signerCount; ++i) {
        CMS_SignerInfo* info = sk_CMS_SignerInfo_value(signerInfos, i);
        X509* signer = nullptr;
        CMS_SignerInfo_get0_algs(info, nullptr, &signer, nullptr, nullptr);
        if (!signer) return Failed(VerifierFailure::NoCertificates);

        bool malformedTime = false;
        std::optional<SigningTime> signingTime = SignedSigningTime(info, malformedTime);
        if (malformedTime) return Failed(VerifierFailure::BadSigningTime);

        std::string detail;
        if (auto failure =
                CheckChain(trust.store.get(), signer, certificates.get(), signingTime, detail)) {
            return Failed(*failure, detail);
        }
        check.signers.push_back({SignerName(signer), signingTime ? signingTime->text : ""});
    }

    // The chains are checked above, each at its own signing time, which one CMS_verify call
    // cannot do; here OpenSSL checks every signature, the message digest and the signed
    // attributes. It writes the content before it knows the outcome: the output only counts
    // on success.
    BioHandle output(BIO_new(BIO_s_mem()));
    if (!output) return Failed(VerifierFailure::InternalError);
    if (CMS_verify(cms.get(), nullptr, trust.store.get(), nullptr, output.get(),
                   CMS_BINARY | CMS_NO_SIGNER_CERT_VERIFY) != 1) {
        return Failed(VerifierFailure::BadSignature);
    }
    char* bytes = nullptr;
    long length = BIO_get_mem_data(output.get(), &bytes);
    check.content.assign(bytes ? bytes : "", length > 0 ? static_cast<std::size_t>(length) : 0);
    return check;
}

}  // namespace ledgra
