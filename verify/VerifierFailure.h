#pragma once
// Why the verification module refused a message or a call. The value is the 16-bit status the
// module returns; the text is what the user reads (code page 949).

#include <cstdint>
#include <string>

namespace ledgra {

enum class VerifierFailure : std::uint16_t {
    NotInitialized = 1,
    BadDirectoryList,
    MessageTooLarge,
    MalformedMessage,  // not strict Base64, not DER, or bytes after the DER
    NotSignedData,     // a CMS message of another type, e.g. EnvelopedData
    NoContent,         // detached signature: the document is not in the message
    NoSigners,
    NoCertificates,  // a signer's certificate is not in the message
    BadSigningTime,
    TrustFolderMissing,
    TrustFolderEmpty,
    UntrustedCertificate,  // unknown or self-signed root
    CertificateExpired,
    CertificateNotYetValid,
    WrongPurpose,        // the certificate is not for signing (key usage, extended key usage)
    CertificateInvalid,  // any other certificate or chain fault
    BadSignature,        // content, signed attributes or signature value changed
    NotVerified,         // asked about a message that did not verify
    SignerOutOfRange,
    InternalError,            // OpenSSL failed for a reason that is not the message's
    WeakDigest,               // MD5 in the signature or in a certificate of the chain
    WeakKey,                  // an RSA key under 1024 bits
    SignerIsAuthority,        // the signer's certificate is a CA certificate
    CertificateRevoked,       // listed in a revocation list of the trust folder
    UnsupportedXmlSignature,  // an XML signature outside the one form invoices use
    DigestMismatch,           // the signed part of an XML document was changed
    UnreadableXml,            // an XML document that names a signature but cannot be loaded
};

// A failure that only says the signer's certificate could not be traced to a trusted root
// (unknown root, expired, not yet valid, revoked, no trust folder): putting the authority's
// certificate in the trust folder, or a current one, may settle it.
bool IsTrustFailure(std::uint16_t status);

std::uint16_t StatusOf(VerifierFailure failure);
const std::string& FailureText(VerifierFailure failure);

}  // namespace ledgra
