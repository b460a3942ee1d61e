#include "verify/XmlSignature.h"

#include <openssl/err.h>
#include <openssl/evp.h>

#include <optional>
#include <string_view>

#include "render/XmlParsing.h"
#include "verify/OpenSslHandles.h"
#include "verify/SignerDetails.h"
#include "verify/SignerPolicy.h"
#include "verify/XmlSignatureProfile.h"

namespace ledgra {
namespace {

using MdContextHandle = OpenSslHandle<EVP_MD_CTX, EVP_MD_CTX_free>;

const EVP_MD* DigestOf(XmlDigest digest) {
    switch (digest) {
        case XmlDigest::Sha256:
            return EVP_sha256();
        case XmlDigest::Sha384:
            return EVP_sha384();
        case XmlDigest::Sha512:
            return EVP_sha512();
    }
    return EVP_sha256();
}

std::string DigestName(XmlDigest digest) {
    switch (digest) {
        case XmlDigest::Sha256:
            return "SHA-256";
        case XmlDigest::Sha384:
            return "SHA-384";
        case XmlDigest::Sha512:
            return "SHA-512";
    }
    return "SHA-256";
}

XmlSignatureCheck Refused(VerifierFailure failure, std::string detail = {}) {
    XmlSignatureCheck check;
    check.state = XmlSignatureCheck::State::Refused;
    check.failure = failure;
    check.detail = std::move(detail);
    return check;
}

bool SignatureVerifies(std::string_view signedInfo, const std::string& signature, EVP_PKEY* key,
                       XmlDigest digest) {
    MdContextHandle context(EVP_MD_CTX_new());
    return context &&
           EVP_DigestVerifyInit(context.get(), nullptr, DigestOf(digest), nullptr, key) == 1 &&
           EVP_DigestVerify(context.get(), reinterpret_cast<const unsigned char*>(signature.data()),
                            signature.size(),
                            reinterpret_cast<const unsigned char*>(signedInfo.data()),
                            signedInfo.size()) == 1;
}

// The digest of the canonical form in `reading`, computed as libxml2 writes it.
std::optional<std::string> ReferenceDigest(const SignedNodeSet& nodes, CanonicalReading reading,
                                           XmlDigest digest) {
    MdContextHandle context(EVP_MD_CTX_new());
    if (!context || EVP_DigestInit_ex(context.get(), DigestOf(digest), nullptr) != 1) {
        return std::nullopt;
    }
    const CanonicalSink update = [&context](std::string_view piece) {
        return EVP_DigestUpdate(context.get(), piece.data(), piece.size()) == 1;
    };
    unsigned char value[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!nodes.Reference(reading, update) ||
        EVP_DigestFinal_ex(context.get(), value, &length) != 1) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(value), length);
}

struct ReadingMatch {
    std::optional<CanonicalReading> reading;
    bool failed = false;  // libxml2 could not canonicalise
};

// The reading whose canonical form has the signed digest, if one has.
ReadingMatch MatchingReading(const SignedNodeSet& nodes, const XmlSignatureProfile& profile) {
    for (CanonicalReading reading : {CanonicalReading::Java, CanonicalReading::Strict}) {
        std::optional<std::string> digest = ReferenceDigest(nodes, reading, profile.referenceDigest);
        if (!digest) return {std::nullopt, true};
        if (*digest == profile.digestValue) return {reading, false};
    }
    return {};
}

// A document that names the signature namespace claims to be signed: one that cannot be read
// then fails rather than passing as unsigned.
bool ClaimsSignature(std::string_view documentBytes) {
    return documentBytes.find(kXmlSignatureNamespace) != std::string_view::npos;
}

std::optional<std::string> DumpWithByteOrderMark(xmlDoc* document) {
    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(document, &bytes, &size, "UTF-8");
    if (bytes == nullptr || size <= 0) {
        xmlFree(bytes);
        return std::nullopt;
    }
    std::string dumped = "\xEF\xBB\xBF";
    dumped.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(size));
    xmlFree(bytes);
    return dumped;
}

}  // namespace

XmlSignatureCheck CheckXmlSignature(std::string_view documentBytes) {
    ErrorQueueClearer clearer;
    // libxml2's reports go into the reason, never to the terminal.
    XmlErrorCapture libxmlMessages;
    std::string parseFailure;
    XmlDocPtr document =
        ParseXmlFileBytes(documentBytes, XmlNamespaces::AsWritten, &parseFailure);
    if (!document) {
        if (!ClaimsSignature(documentBytes)) return {};
        return Refused(VerifierFailure::UnreadableXml, parseFailure);
    }
    XmlSignatureProfile profile = ReadXmlSignatureProfile(document.get());
    switch (profile.found) {
        case XmlSignatureProfile::Found::None: {
            XmlSignatureCheck unsignedCheck;
            unsignedCheck.unsignedTree = KeepParsedXml(documentBytes.size(), std::move(document));
            return unsignedCheck;
        }
        case XmlSignatureProfile::Found::Refused:
            return Refused(profile.failure, profile.detail);
        case XmlSignatureProfile::Found::One:
            break;
    }

    const auto* start = reinterpret_cast<const unsigned char*>(profile.certificateDer.data());
    const unsigned char* next = start;
    X509Handle certificate(
        d2i_X509(nullptr, &next, static_cast<long>(profile.certificateDer.size())));
    if (!certificate || next != start + profile.certificateDer.size()) {
        return Refused(VerifierFailure::CertificateInvalid, "KeyInfo");
    }
    if (auto refused = SignerCertificateFailure(certificate.get())) return Refused(*refused);
    EVP_PKEY* key = X509_get0_pubkey(certificate.get());
    if (key == nullptr || EVP_PKEY_base_id(key) != EVP_PKEY_RSA) {
        return Refused(VerifierFailure::UnsupportedXmlSignature, "key type");
    }

    std::string refusal;
    std::optional<SignedNodeSet> nodes =
        SignedNodeSet::Mark(document.get(), profile.signature, profile.signedInfo, refusal);
    if (!nodes) return Refused(VerifierFailure::UnsupportedXmlSignature, refusal);
    std::optional<std::string> signedInfo = nodes->SignedInfo();
    if (!signedInfo) return Refused(VerifierFailure::InternalError, libxmlMessages.FirstError());
    if (!SignatureVerifies(*signedInfo, profile.signatureValue, key, profile.signatureDigest)) {
        return Refused(VerifierFailure::BadSignature);
    }
    const ReadingMatch match = MatchingReading(*nodes, profile);
    if (match.failed) return Refused(VerifierFailure::InternalError, libxmlMessages.FirstError());
    if (!match.reading) return Refused(VerifierFailure::DigestMismatch);

    XmlSignatureCheck check;
    check.state = XmlSignatureCheck::State::Intact;
    check.reading = *match.reading;
    check.signerName = SignerName(certificate.get());
    check.signer = CertificateFacts(certificate.get());
    check.signer.digestAlgorithm = DigestName(profile.referenceDigest);
    check.signer.signatureAlgorithm = "RSA with " + DigestName(profile.signatureDigest);
    check.certificateDer = std::move(profile.certificateDer);
    nodes->RemoveUnsignedNodes();
    std::optional<std::string> signedDocument = DumpWithByteOrderMark(document.get());
    if (!signedDocument) return Refused(VerifierFailure::InternalError);
    check.signedDocument = std::move(*signedDocument);
    return check;
}

}  // namespace ledgra
