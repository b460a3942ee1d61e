#pragma once
// What a verification run found out about a document's signature, as one value: the verdict
// and, for each signer, what the certificate says and how far it could be traced. The run's
// messages are made from it; whatever shows the signature state later (a bar, a details
// window, a PDF summary) reads it instead of the messages. Texts are code page 949.

#include <string>
#include <vector>

namespace ledgra {

enum class SignatureVerdict {
    Verified,     // every signature intact, every signer chains to a root in the trust folder
    Unconfirmed,  // a plain XML signature intact, its signer not traced to a trusted root
    Unsigned,     // a plain XML document without a signature
    Failed,       // a signature broken or refused, a signer refused, or the file unreadable
};

struct SignerFacts {
    std::string name;         // the subject's common name
    std::string subject;      // the whole subject, one line
    std::string issuer;       // the issuer's whole name, one line
    std::string serial;       // upper-case hexadecimal
    std::string validFrom;    // "YYYY-MM-DD HH:MM:SS UTC"
    std::string validUntil;   // "YYYY-MM-DD HH:MM:SS UTC"
    std::string signingTime;  // as the signature states it; empty when it states none
    std::string digestAlgorithm;     // e.g. "SHA-256"
    std::string signatureAlgorithm;  // e.g. "RSA"
    // The chain as far as it was built: the signer's subject first, then each issuer's, up to
    // the trusted root when it was found.
    std::vector<std::string> chain;
    // Why the certificate could not be traced to a trusted root; empty when it was.
    std::string untrustedReason;
};

struct SignatureReport {
    SignatureVerdict verdict = SignatureVerdict::Failed;
    // Unconfirmed or Failed: why, as the user was told it.
    std::string reason;
    // Unconfirmed: the trust folder whose roots were looked at, for the user to put one in.
    std::string trustFolder;
    // The signers in the order of the signature; only those that could be read.
    std::vector<SignerFacts> signers;
    // A plain XML signature: what it covers and what it leaves out.
    std::string coverage;
};

}  // namespace ledgra
