#pragma once
// The check of a signer's certificate chain against the trust folder's store.

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "verify/OpenSslHandles.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

struct ChainCheck {
    std::optional<VerifierFailure> failure;
    // What OpenSSL found (CertificateInvalid), or the day an expired certificate ended
    // ("YYYY-MM-DD", CertificateExpired).
    std::string detail;
    // The subjects of the chain as far as OpenSSL built it, signer first.
    std::vector<std::string> chain;
};

// Chains `signer` to a root of `store`, taking intermediate CA certificates from `untrusted`,
// for document signing (OpenSSL's "smime_sign": keyUsage, where present, allows
// digitalSignature or nonRepudiation; extendedKeyUsage, where present, allows
// emailProtection), at `at` (now when absent; a time in the future counts as now). A chain
// that holds a weak key or an MD5 signature fails too.
ChainCheck CheckCertificateChain(X509_STORE* store, X509* signer, STACK_OF(X509) * untrusted,
                                 std::optional<std::time_t> at);

// "YYYY-MM-DD" of a certificate time; empty when it cannot be read.
std::string CalendarDay(const ASN1_TIME* time);

}  // namespace ledgra
