#include "verify/SignerDetails.h"

#include <openssl/objects.h>

#include <openssl/bn.h>
#include <openssl/evp.h>

#include <cstdio>
#include <ctime>
#include <optional>
#include <string_view>
#include <utility>

#include "text/Cp949.h"
#include "verify/RecentValues.h"

namespace ledgra {
namespace {

std::string Utf8Of(const ASN1_STRING* value) {
    unsigned char* utf8 = nullptr;
    int length = ASN1_STRING_to_UTF8(&utf8, value);
    if (length < 0) return {};
    std::string text(reinterpret_cast<char*>(utf8), static_cast<std::size_t>(length));
    OPENSSL_free(utf8);
    return text;
}

std::string WholeSubjectUtf8(const X509_NAME* subject) {
    BioHandle bio(BIO_new(BIO_s_mem()));
    if (!bio ||
        X509_NAME_print_ex(bio.get(), subject, 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB) < 0) {
        return {};
    }
    char* bytes = nullptr;
    long length = BIO_get_mem_data(bio.get(), &bytes);
    return length > 0 ? std::string(bytes, static_cast<std::size_t>(length)) : std::string();
}

std::string OneLine(std::string utf8) {
    for (char& c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return Cp949FromUtf8(utf8);
}

// The one-line text of a name, printed once per process for each name: the documents of a
// batch name the same few signers and authorities again and again. The text depends on the
// name's encoding alone.
std::string NameLine(const X509_NAME* name) {
    // A name is a few hundred bytes.
    static RecentValues<std::string> lines(64, std::size_t{4} << 10);
    const unsigned char* der = nullptr;
    std::size_t length = 0;
    if (X509_NAME_get0_der(name, &der, &length) != 1) return OneLine(WholeSubjectUtf8(name));
    const std::string_view key(reinterpret_cast<const char*>(der), length);
    if (std::optional<std::string> known = lines.Find(key, [](const std::string& line) {
            return line;
        })) {
        return std::move(*known);
    }
    std::string line = OneLine(WholeSubjectUtf8(name));
    lines.Keep(key, line);
    return line;
}

std::string TimeText(const ASN1_TIME* time) {
    std::tm parts{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &parts) != 1) return {};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

std::string SerialText(const X509* certificate) {
    BignumHandle serial(ASN1_INTEGER_to_BN(X509_get0_serialNumber(certificate), nullptr));
    char* hex = serial ? BN_bn2hex(serial.get()) : nullptr;
    std::string text = hex ? hex : "";
    OPENSSL_free(hex);
    return text;
}

std::string ShortName(int nid) {
    const char* name = nid == NID_undef ? nullptr : OBJ_nid2sn(nid);
    return name ? name : "";
}

}  // namespace

std::string SubjectLine(X509* certificate) {
    return NameLine(X509_get_subject_name(certificate));
}

SignerFacts CertificateFacts(X509* certificate) {
    SignerFacts facts;
    facts.name = SignerName(certificate);
    facts.subject = SubjectLine(certificate);
    facts.issuer = NameLine(X509_get_issuer_name(certificate));
    facts.serial = SerialText(certificate);
    facts.validFrom = TimeText(X509_get0_notBefore(certificate));
    facts.validUntil = TimeText(X509_get0_notAfter(certificate));
    int digest = NID_undef;
    int key = NID_undef;
    if (OBJ_find_sigid_algs(X509_get_signature_nid(certificate), &digest, &key) == 1) {
        facts.digestAlgorithm = ShortName(digest);
    }
    if (EVP_PKEY* publicKey = X509_get0_pubkey(certificate)) {
        facts.signatureAlgorithm = ShortName(EVP_PKEY_base_id(publicKey));
    }
    return facts;
}

std::string SignerName(X509* certificate) {
    const X509_NAME* subject = X509_get_subject_name(certificate);
    int last = -1;
    for (int at = -1; (at = X509_NAME_get_index_by_NID(subject, NID_commonName, at)) >= 0;) {
        last = at;
    }
    std::string utf8 = last >= 0
                           ? Utf8Of(X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, last)))
                           : WholeSubjectUtf8(subject);
    for (char& c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return Cp949FromUtf8(utf8);
}

std::optional<SigningTime> SignedSigningTime(CMS_SignerInfo* signer, bool& malformed) {
    malformed = false;
    int at = CMS_signed_get_attr_by_NID(signer, NID_pkcs9_signingTime, -1);
    if (at < 0) return std::nullopt;
    X509_ATTRIBUTE* attribute = CMS_signed_get_attr(signer, at);
    const ASN1_TYPE* value = attribute ? X509_ATTRIBUTE_get0_type(attribute, 0) : nullptr;
    std::tm parts{};
    if (CMS_signed_get_attr_by_NID(signer, NID_pkcs9_signingTime, at) >= 0 ||
        X509_ATTRIBUTE_count(attribute) != 1 || !value ||
        (value->type != V_ASN1_UTCTIME && value->type != V_ASN1_GENERALIZEDTIME) ||
        ASN1_TIME_to_tm(value->value.utctime, &parts) != 1) {
        malformed = true;
        return std::nullopt;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return SigningTime{timegm(&parts), text};
}

}  // namespace ledgra
