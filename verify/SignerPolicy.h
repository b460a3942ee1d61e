#pragma once
// The weakest signatures the module accepts. SHA-1 and RSA keys of 1024 bits are kept: archived
// Korean invoices were signed with them, and refusing them would turn every old invoice into a
// failure. MD5, shorter RSA keys and certificate authorities acting as signers are refused.

#include <optional>

#include "verify/OpenSslHandles.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

inline constexpr int kMinRsaKeyBits = 1024;

// True for the digests no signature may use (MD5 and its elders), given as an OpenSSL NID of a
// digest or of a signature algorithm.
bool IsRefusedDigest(int nid);

// Why a public key is too weak to sign (an RSA key under kMinRsaKeyBits), or nothing.
std::optional<VerifierFailure> WeakKeyFailure(EVP_PKEY* key);

// Why this certificate may not sign a document: it is a certificate authority (CA:TRUE), its
// key is too weak, or it was itself signed with a refused digest.
std::optional<VerifierFailure> SignerCertificateFailure(X509* certificate);

// Why a verified chain (signer first) holds a certificate too weak to vouch for the next: a
// weak key or a refused digest in any certificate's signature. The trust anchor's signature on
// itself is not looked at.
std::optional<VerifierFailure> WeakChainFailure(STACK_OF(X509) * chain);

}  // namespace ledgra
