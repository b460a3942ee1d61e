#include "verify/SignedMessageCheck.h"

#include <openssl/err.h>
#include <openssl/objects.h>

#include <ctime>

#include "text/Cp949.h"
#include "verify/CertificateChain.h"
#include "verify/KnownCertificates.h"
#include "verify/SignerDetails.h"
#include "verify/SignerPolicy.h"
#include "verify/TrustStore.h"

namespace ledgra {
namespace {

MessageCheck Failed(VerifierFailure failure, std::string detail = {}) {
    MessageCheck check;
    check.failure = failure;
    check.detail = std::move(detail);
    return check;
}

// OpenSSL's short name of an algorithm ("SHA256", "ecdsa-with-SHA256"); empty when unknown.
std::string AlgorithmName(const X509_ALGOR* algorithm) {
    const ASN1_OBJECT* oid = nullptr;
    if (algorithm == nullptr) return {};
    X509_ALGOR_get0(&oid, nullptr, nullptr, algorithm);
    const char* name = OBJ_nid2sn(OBJ_obj2nid(oid));
    return name ? name : "";
}

// MD5 as the signer's digest or inside its signature algorithm.
bool UsesRefusedDigest(CMS_SignerInfo* info) {
    X509_ALGOR* digest = nullptr;
    X509_ALGOR* signature = nullptr;
    CMS_SignerInfo_get0_algs(info, nullptr, nullptr, &digest, &signature);
    for (const X509_ALGOR* algorithm : {digest, signature}) {
        const ASN1_OBJECT* oid = nullptr;
        if (algorithm == nullptr) continue;
        X509_ALGOR_get0(&oid, nullptr, nullptr, algorithm);
        if (IsRefusedDigest(OBJ_obj2nid(oid))) return true;
    }
    return false;
}

// The signing time as the signer list shows it: a certificate that has expired by now says so.
std::string ShownSigningTime(const SigningTime& signingTime, X509* signer) {
    const ASN1_TIME* notAfter = X509_get0_notAfter(signer);
    if (X509_cmp_current_time(notAfter) >= 0) return signingTime.text;
    return signingTime.text + " (인증서 만료: "_cp949 + CalendarDay(notAfter) + ")";
}

}  // namespace

OpenedMessage OpenSignedMessage(std::string_view der) {
    OpenedMessage opened;
    // The whole input must be one ContentInfo. BER with indefinite lengths is read too (older
    // signers write it), as long as nothing follows its end.
    const auto* start = reinterpret_cast<const unsigned char*>(der.data());
    const unsigned char* next = start + der.size();
    opened.cms = DecodeWithKnownCertificates(der);
    if (!opened.cms) {
        next = start;
        opened.cms.reset(d2i_CMS_ContentInfo(nullptr, &next, static_cast<long>(der.size())));
    }
    if (!opened.cms || next != start + der.size()) {
        opened.failure = VerifierFailure::MalformedMessage;
    } else if (OBJ_obj2nid(CMS_get0_type(opened.cms.get())) != NID_pkcs7_signed) {
        opened.failure = VerifierFailure::NotSignedData;
    } else if (ASN1_OCTET_STRING** content = CMS_get0_content(opened.cms.get());
               !content || !*content) {
        opened.failure = VerifierFailure::NoContent;
    } else {
        opened.content.assign(reinterpret_cast<const char*>(ASN1_STRING_get0_data(*content)),
                              static_cast<std::size_t>(ASN1_STRING_length(*content)));
        return opened;
    }
    opened.cms.reset();
    return opened;
}

MessageCheck VerifySignedMessage(CMS_ContentInfo* cms, const std::filesystem::path& trustFolder) {
    STACK_OF(CMS_SignerInfo)* signerInfos = CMS_get0_SignerInfos(cms);
    const int signerCount = signerInfos ? sk_CMS_SignerInfo_num(signerInfos) : 0;
    if (signerCount <= 0) return Failed(VerifierFailure::NoSigners);

    TrustStore trust = LoadTrustStore(trustFolder);
    if (trust.failure) return Failed(*trust.failure);

    // Finds each signer's certificate among the message's certificates.
    X509StackHandle certificates(CMS_get1_certs(cms));
    if (CMS_set1_signers_certs(cms, nullptr, 0) < 0) ERR_clear_error();

    MessageCheck check;
    for (int i = 0; i < signerCount; ++i) {
        CMS_SignerInfo* info = sk_CMS_SignerInfo_value(signerInfos, i);
        X509* signer = nullptr;
        CMS_SignerInfo_get0_algs(info, nullptr, &signer, nullptr, nullptr);
        if (!signer) return Failed(VerifierFailure::NoCertificates);
        if (UsesRefusedDigest(info)) return Failed(VerifierFailure::WeakDigest);
        if (auto refused = SignerCertificateFailure(signer)) return Failed(*refused);

        bool malformedTime = false;
        std::optional<SigningTime> signingTime = SignedSigningTime(info, malformedTime);
        if (malformedTime) return Failed(VerifierFailure::BadSigningTime);

        std::optional<std::time_t> at;
        if (signingTime) at = signingTime->time;
        ChainCheck chain = CheckCertificateChain(trust.store.get(), signer, certificates.get(), at);
        if (chain.failure) return Failed(*chain.failure, chain.detail);
        VerifiedSigner verified{SignerName(signer),
                                signingTime ? ShownSigningTime(*signingTime, signer) : "",
                                CertificateFacts(signer)};
        verified.facts.signingTime = verified.signingTime;
        verified.facts.chain = std::move(chain.chain);
        X509_ALGOR* digest = nullptr;
        X509_ALGOR* signature = nullptr;
        CMS_SignerInfo_get0_algs(info, nullptr, nullptr, &digest, &signature);
        verified.facts.digestAlgorithm = AlgorithmName(digest);
        verified.facts.signatureAlgorithm = AlgorithmName(signature);
        check.signers.push_back(std::move(verified));
    }

    // The chains are checked above, each at its own signing time, which one CMS_verify call
    // cannot do; here OpenSSL checks every signature, the message digest and the signed
    // attributes. It writes the content before it knows the outcome: the output only counts
    // on success.
    BioHandle output(BIO_new(BIO_s_mem()));
    if (!output) return Failed(VerifierFailure::InternalError);
    if (CMS_verify(cms, nullptr, trust.store.get(), nullptr, output.get(),
                   CMS_BINARY | CMS_NO_SIGNER_CERT_VERIFY) != 1) {
        return Failed(VerifierFailure::BadSignature);
    }
    char* bytes = nullptr;
    long length = BIO_get_mem_data(output.get(), &bytes);
    check.content.assign(bytes ? bytes : "", length > 0 ? static_cast<std::size_t>(length) : 0);
    return check;
}

}  // namespace ledgra
