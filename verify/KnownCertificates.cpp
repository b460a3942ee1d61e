#include "verify/KnownCertificates.h"

#include <openssl/objects.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "verify/RecentValues.h"

namespace ledgra {
namespace {

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kObjectIdentifier = 0x06;
// [0] constructed: the ContentInfo's content, and the SignedData's certificates.
constexpr unsigned char kContextZero = 0xA0;
// SignedData: version, digestAlgorithms, encapContentInfo, certificates [0], ..., signerInfos.
constexpr std::size_t kCertificatesField = 3;
// A message carries its signers' certificates and their authorities'. CMS_add1_cert compares
// each certificate with those before it, so one with many more is left to OpenSSL.
constexpr std::size_t kMaxMessageCertificates = 16;

// One element of a definite-length encoding.
struct Element {
    unsigned char tag = 0;
    std::string_view whole;     // with its tag and length
    std::string_view contents;  // without
};

// The element at the start of `bytes`; nothing for a long tag, an indefinite length, a length
// of more than four bytes, or contents that run past the bytes.
std::optional<Element> ReadElement(std::string_view bytes) {
    if (bytes.size() < 2) return std::nullopt;
    const auto tag = static_cast<unsigned char>(bytes[0]);
    if ((tag & 0x1F) == 0x1F) return std::nullopt;
    std::size_t header = 2;
    std::size_t length = static_cast<unsigned char>(bytes[1]);
    if ((length & 0x80) != 0) {
        const std::size_t octets = length & 0x7F;
        if (octets == 0 || octets > 4 || bytes.size() < header + octets) return std::nullopt;
        length = 0;
        for (std::size_t i = 0; i < octets; ++i) {
            length = length << 8 | static_cast<unsigned char>(bytes[header + i]);
        }
        header += octets;
    }
    if (length > bytes.size() - header) return std::nullopt;
    return Element{tag, bytes.substr(0, header + length), bytes.substr(header, length)};
}

// The elements that fill `contents` exactly.
std::optional<std::vector<Element>> ReadElements(std::string_view contents) {
    std::vector<Element> elements;
    while (!contents.empty()) {
        const std::optional<Element> element = ReadElement(contents);
        if (!element) return std::nullopt;
        elements.push_back(*element);
        contents.remove_prefix(element->whole.size());
    }
    return elements;
}

// A DER element: `tag`, the shortest length, `contents`.
std::string Encoded(unsigned char tag, std::string_view contents) {
    std::string out(1, static_cast<char>(tag));
    const std::size_t length = contents.size();
    if (length < 0x80) {
        out += static_cast<char>(length);
    } else {
        std::string octets;
        for (std::size_t rest = length; rest != 0; rest >>= 8) {
            octets.insert(octets.begin(), static_cast<char>(rest & 0xFF));
        }
        out += static_cast<char>(0x80 | octets.size());
        out += octets;
    }
    out += contents;
    return out;
}

X509Handle Shared(X509* certificate) {
    return X509_up_ref(certificate) == 1 ? X509Handle(certificate) : nullptr;
}

// The certificate of `der` (which it fills exactly), decoded once per process. X509 objects may
// be shared across threads for verification, as the trust store's are.
X509Handle KnownCertificate(std::string_view der) {
    // A certificate is a kilobyte or two; the signers and authorities of a batch are a few.
    // Never destroyed: at exit OpenSSL may be cleaned up before the certificates would be freed.
    static RecentValues<X509Handle>& known =
        *new RecentValues<X509Handle>(64, std::size_t{16} << 10);
    if (std::optional<X509Handle> shared = known.Find(
            der, [](const X509Handle& certificate) { return Shared(certificate.get()); })) {
        return std::move(*shared);
    }
    const auto* start = reinterpret_cast<const unsigned char*>(der.data());
    const unsigned char* next = start;
    X509Handle certificate(d2i_X509(nullptr, &next, static_cast<long>(der.size())));
    if (!certificate || next != start + der.size()) return nullptr;
    if (X509Handle kept = Shared(certificate.get())) known.Keep(der, std::move(kept));
    return certificate;
}

}  // namespace

CmsHandle DecodeWithKnownCertificates(std::string_view der) {
    const std::optional<Element> info = ReadElement(der);
    if (!info || info->tag != kSequence || info->whole.size() != der.size()) return nullptr;
    const std::optional<std::vector<Element>> infoParts = ReadElements(info->contents);
    if (!infoParts || infoParts->size() != 2 || (*infoParts)[0].tag != kObjectIdentifier ||
        (*infoParts)[1].tag != kContextZero) {
        return nullptr;
    }
    const std::optional<std::vector<Element>> content = ReadElements((*infoParts)[1].contents);
    if (!content || content->size() != 1 || content->front().tag != kSequence) return nullptr;
    const std::optional<std::vector<Element>> fields = ReadElements(content->front().contents);
    // Without its certificates the field after them must not be read as certificates.
    if (!fields || fields->size() <= kCertificatesField + 1 ||
        (*fields)[kCertificatesField].tag != kContextZero ||
        (*fields)[kCertificatesField + 1].tag == kContextZero) {
        return nullptr;
    }
    const std::optional<std::vector<Element>> certificates =
        ReadElements((*fields)[kCertificatesField].contents);
    if (!certificates || certificates->empty() ||
        certificates->size() > kMaxMessageCertificates) {
        return nullptr;
    }

    // The message without its certificates, decoded; then its certificates put back in order.
    std::string otherFields;
    for (std::size_t i = 0; i < fields->size(); ++i) {
        if (i != kCertificatesField) otherFields += (*fields)[i].whole;
    }
    const std::string stripped = Encoded(
        kSequence, std::string((*infoParts)[0].whole) +
                       Encoded(kContextZero, Encoded(kSequence, otherFields)));
    const auto* start = reinterpret_cast<const unsigned char*>(stripped.data());
    const unsigned char* next = start;
    CmsHandle cms(d2i_CMS_ContentInfo(nullptr, &next, static_cast<long>(stripped.size())));
    if (!cms || next != start + stripped.size() ||
        OBJ_obj2nid(CMS_get0_type(cms.get())) != NID_pkcs7_signed) {
        ERR_clear_error();
        return nullptr;
    }
    for (const Element& certificate : *certificates) {
        X509Handle known = certificate.tag == kSequence ? KnownCertificate(certificate.whole)
                                                        : nullptr;
        // A certificate named twice is refused by CMS_add1_cert; the message is decoded as
        // it is.
        if (!known || CMS_add1_cert(cms.get(), known.get()) != 1) {
            ERR_clear_error();
            return nullptr;
        }
    }
    return cms;
}

}  // namespace ledgra
