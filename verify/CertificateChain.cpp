#include "verify/CertificateChain.h"

#include <algorithm>
#include <cstdio>

#include "verify/SignerDetails.h"
#include "verify/SignerPolicy.h"

namespace ledgra {
namespace {

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
        case X509_V_ERR_CERT_REVOKED:
            return VerifierFailure::CertificateRevoked;
        default:  // OpenSSL's codes are open-ended; the rest is a certificate fault as such
            return VerifierFailure::CertificateInvalid;
    }
}

std::vector<std::string> ChainSubjects(X509_STORE_CTX* context) {
    std::vector<std::string> subjects;
    STACK_OF(X509)* chain = X509_STORE_CTX_get0_chain(context);
    for (int i = 0; chain != nullptr && i < sk_X509_num(chain); ++i) {
        subjects.push_back(SubjectLine(sk_X509_value(chain, i)));
    }
    return subjects;
}

}  // namespace

std::string CalendarDay(const ASN1_TIME* time) {
    std::tm parts{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &parts) != 1) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday);
    return text;
}

ChainCheck CheckCertificateChain(X509_STORE* store, X509* signer, STACK_OF(X509) * untrusted,
                                 std::optional<std::time_t> at) {
    X509StoreCtxHandle context(X509_STORE_CTX_new());
    if (!context || X509_STORE_CTX_init(context.get(), store, signer, untrusted) != 1 ||
        X509_STORE_CTX_set_default(context.get(), "smime_sign") != 1) {
        return {VerifierFailure::InternalError, {}, {}};
    }
    if (at) {
        X509_VERIFY_PARAM_set_time(X509_STORE_CTX_get0_param(context.get()),
                                   std::min(*at, std::time(nullptr)));
    }
    if (X509_verify_cert(context.get()) == 1) {
        return {WeakChainFailure(X509_STORE_CTX_get0_chain(context.get())), {},
                ChainSubjects(context.get())};
    }
    const int error = X509_STORE_CTX_get_error(context.get());
    ChainCheck check{ChainFailure(error), {}, ChainSubjects(context.get())};
    if (check.failure == VerifierFailure::CertificateInvalid) {
        // The catch-all kind says what OpenSSL found; the others say it themselves.
        check.detail = X509_verify_cert_error_string(error);
    } else if (check.failure == VerifierFailure::CertificateExpired) {
        check.detail =
            CalendarDay(X509_get0_notAfter(X509_STORE_CTX_get_current_cert(context.get())));
    }
    return check;
}

}  // namespace ledgra
