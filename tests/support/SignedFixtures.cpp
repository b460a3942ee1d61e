#include "tests/support/SignedFixtures.h"

#include <openssl/bn.h>
#include <openssl/conf.h>
#include <openssl/ec.h>
#include <openssl/err.h>
#include <openssl/objects.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>
#include <openssl/x509v3.h>

#include <fstream>
#include <stdexcept>

#include "text/Cp949.h"
#include "verify/OpenSslHandles.h"

namespace ledgra::testing {

struct CertificateData {
    X509Handle certificate;
    KeyHandle key;
    std::vector<X509Handle> chain;  // CA certificates above it, root excluded, nearest first
    bool selfSigned = false;
};

namespace {

// A Korean accredited-signing certificate policy.
constexpr const char* kKoreanPolicyOid = "1.2.410.200004.5.2.1.2";

[[noreturn]] void Fail(const std::string& what) {
    unsigned long code = ERR_get_error();
    char reason[256] = "";
    if (code != 0) ERR_error_string_n(code, reason, sizeof reason);
    ERR_clear_error();
    throw std::runtime_error("signed fixtures: " + what + (code ? std::string(": ") + reason : ""));
}

template <typename T>
T* Check(T* object, const char* what) {
    if (!object) Fail(what);
    return object;
}

void Check(int result, const char* what) {
    if (result <= 0) Fail(what);
}

X509Handle CopyOf(X509* certificate) {
    X509_up_ref(certificate);
    return X509Handle(certificate);
}

KeyHandle NewKey(KeyType type) {
    switch (type) {
        case KeyType::EcP256:
            return KeyHandle(Check(EVP_EC_gen("P-256"), "EC key generation"));
        case KeyType::Rsa2048:
            return KeyHandle(Check(EVP_RSA_gen(2048), "RSA key generation"));
        case KeyType::Rsa1024:
            return KeyHandle(Check(EVP_RSA_gen(1024), "RSA key generation"));
        case KeyType::Rsa512:
            return KeyHandle(Check(EVP_RSA_gen(512), "RSA key generation"));
    }
    Fail("unknown key type");
}

void AddExtension(X509* certificate, X509V3_CTX& context, int nid, const std::string& value) {
    X509_EXTENSION* extension =
        Check(X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str()), "extension");
    int added = X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
    Check(added, "adding an extension");
}

std::string KeyUsageText(SignerKeyUsage usage) {
    switch (usage) {
        case SignerKeyUsage::DigitalSignatureAndNonRepudiation:
            return "critical,digitalSignature,nonRepudiation";
        case SignerKeyUsage::DigitalSignature:
            return "critical,digitalSignature";
        case SignerKeyUsage::NonRepudiation:
            return "critical,nonRepudiation";
        case SignerKeyUsage::KeyEnciphermentOnly:
            return "critical,keyEncipherment";
        case SignerKeyUsage::Absent:
            return "";
    }
    return "";
}

struct IssueRequest {
    std::string commonName;
    std::time_t notBefore;
    std::time_t notAfter;
    bool isAuthority;
    const CertificateOptions* signer;  // null for an authority
};

// Makes a certificate for a new key; `issuer` null means self-signed.
std::shared_ptr<CertificateData> MakeCertificate(const IssueRequest& request, KeyType keyType,
                                                 const CertificateData* issuer) {
    auto made = std::make_shared<CertificateData>();
    made->key = NewKey(keyType);
    made->certificate.reset(Check(X509_new(), "certificate"));
    X509* certificate = made->certificate.get();
    Check(X509_set_version(certificate, X509_VERSION_3), "version");

    OpenSslHandle<BIGNUM, BN_free> serial(Check(BN_new(), "serial"));
    Check(BN_rand(serial.get(), 63, BN_RAND_TOP_ANY, BN_RAND_BOTTOM_ANY), "serial");
    Check(BN_to_ASN1_INTEGER(serial.get(), X509_get_serialNumber(certificate)) ? 1 : 0, "serial");
    Check(ASN1_TIME_set(X509_getm_notBefore(certificate), request.notBefore) ? 1 : 0, "notBefore");
    Check(ASN1_TIME_set(X509_getm_notAfter(certificate), request.notAfter) ? 1 : 0, "notAfter");

    X509_NAME* subject = X509_get_subject_name(certificate);
    auto addName = [&](const char* field, const std::string& value) {
        Check(X509_NAME_add_entry_by_txt(subject, field, MBSTRING_UTF8,
                                         reinterpret_cast<const unsigned char*>(value.c_str()), -1,
                                         -1, 0),
              "subject name");
    };
    addName("C", "KR");
    addName("O", "Ledgra Test");
    if (!request.commonName.empty()) addName("CN", request.commonName);
    X509* issuerCertificate = issuer ? issuer->certificate.get() : certificate;
    Check(X509_set_issuer_name(certificate, X509_get_subject_name(issuerCertificate)), "issuer");
    Check(X509_set_pubkey(certificate, made->key.get()), "public key");

    X509V3_CTX context;
    X509V3_set_ctx(&context, issuerCertificate, certificate, nullptr, nullptr, 0);
    // certificatePolicies is only parsed with a configuration database, even an empty one.
    OpenSslHandle<CONF, NCONF_free> configuration(Check(NCONF_new(nullptr), "configuration"));
    X509V3_set_nconf(&context, configuration.get());
    AddExtension(certificate, context, NID_subject_key_identifier, "hash");
    if (issuer) AddExtension(certificate, context, NID_authority_key_identifier, "keyid:always");
    if (request.isAuthority) {
        AddExtension(certificate, context, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(certificate, context, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        const CertificateOptions& options = *request.signer;
        if (options.authority) {
            AddExtension(certificate, context, NID_basic_constraints, "critical,CA:TRUE");
        }
        std::string usage = KeyUsageText(options.keyUsage);
        if (!usage.empty()) AddExtension(certificate, context, NID_key_usage, usage);
        if (!options.extendedKeyUsage.empty()) {
            AddExtension(certificate, context, NID_ext_key_usage, options.extendedKeyUsage);
        }
        if (options.koreanPolicy) {
            AddExtension(certificate, context, NID_certificate_policies, kKoreanPolicyOid);
        }
    }

    EVP_PKEY* signingKey = issuer ? issuer->key.get() : made->key.get();
    Check(X509_sign(certificate, signingKey, EVP_sha256()), "certificate signature");

    made->selfSigned = issuer == nullptr;
    if (issuer && !issuer->selfSigned) {
        made->chain.push_back(CopyOf(issuer->certificate.get()));
        for (const X509Handle& above : issuer->chain) made->chain.push_back(CopyOf(above.get()));
    }
    return made;
}

std::shared_ptr<CertificateData> MakeAuthority(const std::string& name,
                                               const CertificateData* issuer) {
    IssueRequest request{name, UtcTime(2000, 1, 1), UtcTime(2099, 12, 31), true, nullptr};
    return MakeCertificate(request, KeyType::EcP256, issuer);
}

std::string PemOf(X509* certificate) {
    BioHandle bio(Check(BIO_new(BIO_s_mem()), "memory BIO"));
    Check(PEM_write_bio_X509(bio.get(), certificate), "PEM");
    char* bytes = nullptr;
    long length = BIO_get_mem_data(bio.get(), &bytes);
    return std::string(bytes, static_cast<std::size_t>(length));
}

// The ASN.1 time text of a signing time as the DER carries it (UTCTime up to 2049).
std::string Asn1TimeText(std::time_t time) {
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    const char* format = parts.tm_year + 1900 < 2050 ? "%y%m%d%H%M%SZ" : "%Y%m%d%H%M%SZ";
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

// DER of one tag-length-value.
std::string Tlv(unsigned char tag, std::string_view value) {
    std::string length;
    if (value.size() < 0x80) {
        length = static_cast<char>(value.size());
    } else {
        for (std::size_t rest = value.size(); rest > 0; rest >>= 8) {
            length.insert(length.begin(), static_cast<char>(rest & 0xFF));
        }
        length.insert(length.begin(), static_cast<char>(0x80 | length.size()));
    }
    return static_cast<char>(tag) + length + std::string(value);
}

// OpenSSL 3.0 cannot finish a SignedData without signers, so this one is written by hand:
// version 1, SHA-256 as the digest algorithm, the content, no certificates, no signer infos.
std::string SignedDataWithoutSignersDer(std::string_view content, bool detached) {
    const std::string signedDataOid("\x2A\x86\x48\x86\xF7\x0D\x01\x07\x02", 9);
    const std::string dataOid("\x2A\x86\x48\x86\xF7\x0D\x01\x07\x01", 9);
    const std::string sha256Oid("\x60\x86\x48\x01\x65\x03\x04\x02\x01", 9);
    std::string encapsulated = Tlv(0x06, dataOid);
    if (!detached) encapsulated += Tlv(0xA0, Tlv(0x04, content));
    std::string signedData = Tlv(0x02, "\x01") + Tlv(0x31, Tlv(0x30, Tlv(0x06, sha256Oid))) +
                             Tlv(0x30, encapsulated) + Tlv(0x31, "");
    return Tlv(0x30, Tlv(0x06, signedDataOid) + Tlv(0xA0, Tlv(0x30, signedData)));
}

}  // namespace

std::time_t UtcTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return timegm(&parts);
}

TestCertificate::TestCertificate(std::shared_ptr<const CertificateData> data)
    : m_data(std::move(data)) {}

std::string TestCertificate::Pem() const {
    return PemOf(m_data->certificate.get());
}

std::string TestCertificate::Der() const {
    unsigned char* bytes = nullptr;
    int length = i2d_X509(m_data->certificate.get(), &bytes);
    Check(length, "DER");
    std::string der(reinterpret_cast<char*>(bytes), static_cast<std::size_t>(length));
    OPENSSL_free(bytes);
    return der;
}

TestAuthority::TestAuthority(TestCertificate certificate, const TestAuthority* parent)
    : m_certificate(std::move(certificate)), m_parent(parent) {}

const TestAuthority& TestAuthority::Trusted() {
    static const TestAuthority root(TestCertificate(MakeAuthority("Ledgra Test Root CA", nullptr)),
                                    nullptr);
    return root;
}

const TestAuthority& TestAuthority::TrustedIntermediate() {
    static const TestAuthority intermediate(
        TestCertificate(MakeAuthority("Ledgra Test Class 2 CA", &Trusted().m_certificate.Data())),
        &Trusted());
    return intermediate;
}

const TestAuthority& TestAuthority::Untrusted() {
    static const TestAuthority root(TestCertificate(MakeAuthority("Unknown Test Root CA", nullptr)),
                                    nullptr);
    return root;
}

TestCertificate TestAuthority::Issue(const CertificateOptions& options) const {
    IssueRequest request{options.commonName, options.notBefore, options.notAfter, false, &options};
    return TestCertificate(MakeCertificate(request, options.keyType, &m_certificate.Data()));
}

std::string TestAuthority::RootPem() const {
    const TestAuthority* root = this;
    while (root->m_parent) root = root->m_parent;
    return root->m_certificate.Pem();
}

std::string TestAuthority::RevocationList(const std::vector<TestCertificate>& revoked) const {
    const CertificateData& issuer = m_certificate.Data();
    X509CrlHandle list(Check(X509_CRL_new(), "revocation list"));
    Check(X509_CRL_set_version(list.get(), 1), "CRL version");
    Check(X509_CRL_set_issuer_name(list.get(), X509_get_subject_name(issuer.certificate.get())),
          "CRL issuer");
    Asn1TimeHandle lastUpdate(Check(ASN1_TIME_set(nullptr, std::time(nullptr) - kDay), "time"));
    Asn1TimeHandle nextUpdate(
        Check(ASN1_TIME_set(nullptr, std::time(nullptr) + 30 * kDay), "time"));
    Check(X509_CRL_set1_lastUpdate(list.get(), lastUpdate.get()), "lastUpdate");
    Check(X509_CRL_set1_nextUpdate(list.get(), nextUpdate.get()), "nextUpdate");
    for (const TestCertificate& certificate : revoked) {
        X509_REVOKED* entry = Check(X509_REVOKED_new(), "revoked entry");
        X509_REVOKED_set_serialNumber(entry,
                                      X509_get_serialNumber(certificate.Data().certificate.get()));
        X509_REVOKED_set_revocationDate(entry, lastUpdate.get());
        Check(X509_CRL_add0_revoked(list.get(), entry), "revoked entry");
    }
    Check(X509_CRL_sort(list.get()), "CRL sort");
    Check(X509_CRL_sign(list.get(), issuer.key.get(), EVP_sha256()), "CRL signature");
    BioHandle bio(Check(BIO_new(BIO_s_mem()), "memory BIO"));
    Check(PEM_write_bio_X509_CRL(bio.get(), list.get()), "PEM");
    char* bytes = nullptr;
    long length = BIO_get_mem_data(bio.get(), &bytes);
    return std::string(bytes, static_cast<std::size_t>(length));
}

void TestAuthority::WriteTrustFolder(const std::filesystem::path& folder,
                                     std::string_view fileName) const {
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / fileName, std::ios::binary | std::ios::trunc);
    std::string pem = RootPem();
    out.write(pem.data(), static_cast<std::streamsize>(pem.size()));
    if (!out.flush()) throw std::runtime_error("signed fixtures: cannot write the trust folder");
}

TestCertificate SelfSignedCertificate(const CertificateOptions& options) {
    IssueRequest request{options.commonName, options.notBefore, options.notAfter, false, &options};
    return TestCertificate(MakeCertificate(request, options.keyType, nullptr));
}

std::string SignedDataDer(std::string_view content, const MessageOptions& options) {
    if (options.signers.empty()) return SignedDataWithoutSignersDer(content, options.detached);
    // Certificates are added by hand (without duplicates): OpenSSL 3.0 refuses a certificate
    // that is already in the message, e.g. two signers under one intermediate.
    const unsigned int common = CMS_BINARY | CMS_PARTIAL | CMS_NOCERTS | CMS_NOSMIMECAP;
    CmsHandle cms(Check(CMS_sign(nullptr, nullptr, nullptr, nullptr, common), "SignedData"));

    auto addCertificate = [&](X509* certificate) {
        STACK_OF(X509)* present = CMS_get1_certs(cms.get());
        X509StackHandle owned(present);
        for (int i = 0; present && i < sk_X509_num(present); ++i) {
            if (X509_cmp(sk_X509_value(present, i), certificate) == 0) return;
        }
        Check(CMS_add1_cert(cms.get(), certificate), "adding a certificate");
    };

    for (const MessageSigner& signer : options.signers) {
        const CertificateData& data = signer.certificate.Data();
        unsigned int flags = common | (signer.signingTime ? 0 : CMS_NOATTR);
        const EVP_MD* digest = Check(EVP_get_digestbyname(signer.digest.c_str()), "digest");
        CMS_SignerInfo* info =
            Check(CMS_add1_signer(cms.get(), data.certificate.get(), data.key.get(), digest, flags),
                  "adding a signer");
        if (signer.signingTime) {
            Asn1TimeHandle time(Check(ASN1_TIME_set(nullptr, *signer.signingTime), "time"));
            Check(CMS_signed_add1_attr_by_NID(info, NID_pkcs9_signingTime, time->type, time.get(),
                                              -1),
                  "signingTime");
        }
        if (options.embedCertificates) {
            addCertificate(data.certificate.get());
            if (options.embedChains) {
                for (const X509Handle& above : data.chain) addCertificate(above.get());
            }
        }
    }

    Check(CMS_set_detached(cms.get(), options.detached ? 1 : 0), "detached");
    BioHandle input = MemoryBio(content.data(), content.size());
    Check(CMS_final(cms.get(), input.get(), nullptr, CMS_BINARY), "signing");

    unsigned char* bytes = nullptr;
    int length = i2d_CMS_ContentInfo(cms.get(), &bytes);
    Check(length, "DER");
    std::string der(reinterpret_cast<char*>(bytes), static_cast<std::size_t>(length));
    OPENSSL_free(bytes);
    return der;
}

std::string Base64Text(std::string_view bytes, int lineWidth, std::string_view lineBreak) {
    std::string encoded(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(encoded.data()),
                                 reinterpret_cast<const unsigned char*>(bytes.data()),
                                 static_cast<int>(bytes.size()));
    encoded.resize(static_cast<std::size_t>(length));
    if (lineWidth <= 0) return encoded;
    std::string text;
    for (std::size_t at = 0; at < encoded.size(); at += static_cast<std::size_t>(lineWidth)) {
        if (at > 0) text += lineBreak;
        text += encoded.substr(at, static_cast<std::size_t>(lineWidth));
    }
    return text;
}

std::string SignedText(std::string_view content, const MessageOptions& options) {
    return Base64Text(SignedDataDer(content, options));
}

std::string SignedText(std::string_view content) {
    static const TestCertificate signer = TestAuthority::Trusted().Issue();
    return SignedText(content, {.signers = {{signer, std::time(nullptr) - 3600}}});
}

std::string FlipContentByte(std::string der, std::string_view content, std::size_t index) {
    std::size_t at = der.find(content);
    if (content.empty() || index >= content.size() || at == std::string::npos ||
        der.rfind(content) != at) {
        throw std::logic_error("the content does not appear exactly once in the message");
    }
    der[at + index] = static_cast<char>(der[at + index] ^ 1);
    return der;
}

std::string ChangeSigningTime(std::string der, std::time_t signingTime) {
    std::string was = Asn1TimeText(signingTime);
    std::string changed = Asn1TimeText(signingTime + 1);
    std::size_t at = der.rfind(was);
    if (at == std::string::npos) throw std::logic_error("no such signing time in the message");
    der.replace(at, was.size(), changed);
    return der;
}

std::string WithTrailingBytes(std::string der, std::string_view extra) {
    return der.append(extra);
}

std::vector<MessageCertificate> MessageCertificates(std::string_view der) {
    const auto* next = reinterpret_cast<const unsigned char*>(der.data());
    CmsHandle cms(d2i_CMS_ContentInfo(nullptr, &next, static_cast<long>(der.size())));
    std::vector<MessageCertificate> found;
    X509StackHandle certificates(cms ? CMS_get1_certs(cms.get()) : nullptr);
    for (int i = 0; certificates && i < sk_X509_num(certificates.get()); ++i) {
        X509* certificate = sk_X509_value(certificates.get(), i);
        char subject[512];
        X509_NAME_oneline(X509_get_subject_name(certificate), subject, sizeof subject);
        found.push_back({subject, PemOf(certificate)});
    }
    ERR_clear_error();
    return found;
}

namespace {

constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
constexpr std::string_view kDsNamespace = "http://www.w3.org/2000/09/xmldsig#";
constexpr std::string_view kSchemaLocation =
    "urn:kr:or:kec:standard:Tax:ReusableAggregateBusinessInformationEntitySchemaModule:1:0 "
    "http://www.kec.or.kr/standard/Tax/TaxInvoiceSchemaModule_1.0.xsd";

std::string Sha256(std::string_view bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    Check(EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr), "digest");
    return std::string(reinterpret_cast<char*>(digest), length);
}

std::string RsaSha256Signature(const CertificateData& signer, std::string_view bytes) {
    OpenSslHandle<EVP_MD_CTX, EVP_MD_CTX_free> context(Check(EVP_MD_CTX_new(), "digest context"));
    Check(EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, signer.key.get()),
          "signing");
    std::size_t length = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    Check(EVP_DigestSign(context.get(), nullptr, &length, data, bytes.size()), "signing");
    std::string signature(length, '\0');
    Check(EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                         data, bytes.size()),
          "signing");
    signature.resize(length);
    return signature;
}

std::string Joined(const std::vector<std::string>& elements, std::string_view separator) {
    std::string joined;
    for (const std::string& element : elements) {
        if (!joined.empty()) joined += separator;
        joined += element;
    }
    return joined;
}

}  // namespace

std::string SignedXmlInvoice(const XmlInvoiceOptions& options) {
    const std::string rootNamespaces = " xmlns=\"" + std::string(kInvoiceNamespace) +
                                       "\" xmlns:xsi=\"" + std::string(kXsiNamespace) + "\"";
    const std::string rootAttributes =
        " xsi:schemaLocation=\"" + std::string(kSchemaLocation) + "\"";
    // The root's whitespace children before the signed elements: after its start tag and after
    // the ExchangedDocument.
    const std::string leadingText = "\n\t\n\t";
    const std::string body = Joined(options.signedElements, "\n\t") + "\n";

    // The signed node set in canonical form: the root's own declarations (and, read strictly,
    // its attributes) on their own, then its signed children; read strictly, every top-level
    // element declares the root's namespaces again.
    std::string canonical;
    if (options.reading == XmlSigningReading::Java) {
        canonical = rootNamespaces + leadingText + body;
    } else {
        std::vector<std::string> redeclared;
        for (const std::string& element : options.signedElements) {
            const std::size_t nameEnd = element.find_first_of(" >");
            redeclared.push_back(element.substr(0, nameEnd) + rootNamespaces +
                                 element.substr(nameEnd));
        }
        canonical =
            rootNamespaces + rootAttributes + leadingText + Joined(redeclared, "\n\t") + "\n";
    }

    const std::string transforms =
        !options.transforms.empty()
            ? options.transforms
            : "<ds:Transforms>\n<ds:Transform "
              "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"></ds:Transform>\n"
              "<ds:Transform Algorithm=\"http://www.w3.org/TR/1999/REC-xpath-19991116\">\n"
              "<ds:XPath>not(self::*[name() = 'TaxInvoice'] | "
              "ancestor-or-self::*[name() = 'ExchangedDocument'] | "
              "ancestor-or-self::ds:Signature)</ds:XPath>\n</ds:Transform>\n</ds:Transforms>\n";
    const std::string signedInfoContent =
        "\n<ds:CanonicalizationMethod "
        "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\">"
        "</ds:CanonicalizationMethod>\n<ds:SignatureMethod Algorithm=\"" +
        options.signatureMethod + "\"></ds:SignatureMethod>\n<ds:Reference URI=\"" +
        options.referenceUri + "\">\n" + transforms + "<ds:DigestMethod Algorithm=\"" +
        options.digestMethod + "\"></ds:DigestMethod>\n<ds:DigestValue>" +
        Base64Text(Sha256(canonical)) + "</ds:DigestValue>\n</ds:Reference>\n";
    // SignedInfo is canonicalised with the namespaces it inherits, in canonical order.
    const std::string canonicalSignedInfo =
        "<ds:SignedInfo xmlns=\"" + std::string(kInvoiceNamespace) + "\" xmlns:ds=\"" +
        std::string(kDsNamespace) + "\" xmlns:xsi=\"" + std::string(kXsiNamespace) + "\">" +
        signedInfoContent + "</ds:SignedInfo>";
    const CertificateData& signer = options.signer.Data();
    const std::string signatureValue =
        Base64Text(RsaSha256Signature(signer, canonicalSignedInfo), 76, "\n");

    std::string keyInfo;
    if (options.keyInfo) {
        keyInfo = "<ds:KeyInfo>\n<ds:X509Data>\n<ds:X509Certificate>\n" +
                  Base64Text(options.signer.Der(), 76, "\n") +
                  "\n</ds:X509Certificate>\n</ds:X509Data>\n</ds:KeyInfo>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<TaxInvoice" + rootNamespaces +
           rootAttributes + ">\n\t<ExchangedDocument>" + options.exchangedDocument +
           "</ExchangedDocument>\n\t<ds:Signature xmlns:ds=\"" + std::string(kDsNamespace) +
           "\">\n<ds:SignedInfo>" + signedInfoContent + "</ds:SignedInfo>\n<ds:SignatureValue>\n" +
           signatureValue + "\n</ds:SignatureValue>\n" + keyInfo + "</ds:Signature>" + body +
           "</TaxInvoice>";
}

std::string ContainerHeader(char lengthDigit, char formCode) {
    std::size_t length = lengthDigit >= '5' && lengthDigit <= '9' ? lengthDigit - '0' : 5;
    std::string header(length, '0');
    header[0] = ';';
    header[2] = lengthDigit;
    header[4] = formCode;
    return header;
}

std::string BareMessageFile(std::string_view signedText) {
    return std::string(signedText);
}

std::string SemicolonBareFile(std::string_view signedText, char formCode, char lengthDigit) {
    return ContainerHeader(lengthDigit, formCode) + std::string(signedText);
}

std::string WrappedFile(std::string_view signedText, char payloadDigit,
                        const std::vector<ContainerAttachment>& attachments) {
    std::string file = ContainerHeader('7', '0') + "\r\n<document data=\"" +
                       ContainerHeader(payloadDigit, '0') + std::string(signedText) + "\"/>\r\n";
    for (const ContainerAttachment& attachment : attachments) {
        file += "<file name=\"" + Cp949FromUtf8(attachment.name) + "\" data=\"" +
                ContainerHeader(attachment.lengthDigit, '0') + attachment.data + "\"/>\r\n";
    }
    return file;
}

}  // namespace ledgra::testing
