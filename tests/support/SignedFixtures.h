#pragma once
// Signed test material made with OpenSSL at test time: a test root (and a second root nobody
// trusts), signer certificates under them, CMS SignedData messages in Base64 text, tamper
// helpers, the trust folder, and the document containers that carry a signed message.
//
// Keys are EC P-256 unless asked otherwise, so generation stays fast; the roots are made once
// per process. No OpenSSL type appears here: certificates are opaque handles.

#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra::testing {

// Seconds since the epoch for a UTC calendar time.
std::time_t UtcTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
inline constexpr std::time_t kDay = 24 * 60 * 60;

enum class KeyType { EcP256, Rsa2048, Rsa1024, Rsa512 };

enum class SignerKeyUsage {
    DigitalSignatureAndNonRepudiation,  // what Korean signing certificates carry
    DigitalSignature,
    NonRepudiation,
    KeyEnciphermentOnly,  // a certificate not meant for signing
    Absent,               // no keyUsage extension at all
};

struct CertificateOptions {
    // UTF-8, written as UTF8String; empty = a subject without a common name.
    std::string commonName = "Test Signer";
    std::time_t notBefore = std::time(nullptr) - kDay;
    std::time_t notAfter = std::time(nullptr) + 365 * kDay;
    SignerKeyUsage keyUsage = SignerKeyUsage::DigitalSignatureAndNonRepudiation;
    // Comma-separated extendedKeyUsage names as OpenSSL writes them ("serverAuth",
    // "emailProtection"); empty = no extension.
    std::string extendedKeyUsage;
    // A certificatePolicies extension with a Korean accredited-signing policy OID.
    bool koreanPolicy = true;
    KeyType keyType = KeyType::EcP256;
    // basicConstraints CA:TRUE on a certificate that is otherwise a signer's.
    bool authority = false;
};

struct CertificateData;

// A certificate with its private key and the chain of CA certificates between it and its root
// (root excluded). Cheap to copy.
class TestCertificate {
public:
    explicit TestCertificate(std::shared_ptr<const CertificateData> data);

    std::string Pem() const;
    std::string Der() const;
    const CertificateData& Data() const { return *m_data; }

private:
    std::shared_ptr<const CertificateData> m_data;
};

class TestAuthority {
public:
    // The root the tests trust ("Ledgra Test Root CA"), made once per process.
    static const TestAuthority& Trusted();
    // A CA certificate under the trusted root; the signers it issues carry a chain of two.
    static const TestAuthority& TrustedIntermediate();
    // A second root that never goes into the trust folder.
    static const TestAuthority& Untrusted();

    // A new signer certificate (with a new key) issued by this authority.
    TestCertificate Issue(const CertificateOptions& options = {}) const;
    // The authority's own certificate (for an intermediate: the CA certificate, not the root).
    const TestCertificate& Certificate() const { return m_certificate; }
    // The root certificate in PEM.
    std::string RootPem() const;
    // A revocation list (PEM) of this authority that lists `revoked`, issued yesterday.
    std::string RevocationList(const std::vector<TestCertificate>& revoked) const;
    // Writes the root certificate as "<folder>/<fileName>" (PEM), creating the folder.
    void WriteTrustFolder(const std::filesystem::path& folder,
                          std::string_view fileName = "ledgra-test-root.pem") const;

private:
    TestAuthority(TestCertificate certificate, const TestAuthority* parent);
    TestCertificate m_certificate;
    const TestAuthority* m_parent;
};

// A signer certificate signed by its own key (not under any authority).
TestCertificate SelfSignedCertificate(const CertificateOptions& options = {});

struct MessageSigner {
    TestCertificate certificate;
    // The signed signingTime attribute. Without one the signer has no signed attributes at
    // all (as the Korean PKI samples): OpenSSL adds a signingTime to any signer that has
    // signed attributes.
    std::optional<std::time_t> signingTime;
    // The digest the signer uses, as OpenSSL names it ("SHA256", "SHA1", "MD5").
    std::string digest = "SHA256";
};

struct MessageOptions {
    std::vector<MessageSigner> signers;  // empty = no signer infos and no certificates
    bool embedCertificates = true;       // the signers' certificates and their CA chains
    bool embedChains = true;             // with embedCertificates: the CA certificates too
    bool detached = false;               // no encapsulated content
};

// The DER of a CMS ContentInfo holding SignedData over `content`.
std::string SignedDataDer(std::string_view content, const MessageOptions& options);

// Base64 of bytes; lineWidth 0 = one line, else lines of that many characters joined by
// `lineBreak` (none after the last line).
std::string Base64Text(std::string_view bytes, int lineWidth = 0,
                       std::string_view lineBreak = "\r\n");

// Base64 (one line) of SignedDataDer.
std::string SignedText(std::string_view content, const MessageOptions& options);
// The common case: one signer "Test Signer" from the trusted root, signed an hour ago.
std::string SignedText(std::string_view content);

// Tamper helpers on DER. Each throws std::logic_error when the part to change is not there.
// Flips the lowest bit of content byte `index` (the content must appear once in the DER).
std::string FlipContentByte(std::string der, std::string_view content, std::size_t index = 0);
// Moves the signed signingTime of the last signer carrying `signingTime` by one second.
std::string ChangeSigningTime(std::string der, std::time_t signingTime);
// Appends bytes after the DER's end.
std::string WithTrailingBytes(std::string der,
                              std::string_view extra = std::string_view("\0\0", 2));

struct MessageCertificate {
    std::string subject;  // as OpenSSL's one-line form writes it: "/CN=CarlRSA"
    std::string pem;
};

// Every certificate a CMS message (DER or BER) carries, in message order; empty when the bytes
// are not a CMS message.
std::vector<MessageCertificate> MessageCertificates(std::string_view der);

// --- XML signatures of standard-schema invoices ---

// The two ways signers canonicalise an invoice's signed nodes (see verify/XmlCanonical.h).
enum class XmlSigningReading { Java, Strict };

inline constexpr std::string_view kInvoiceNamespace =
    "urn:kr:or:kec:standard:Tax:ReusableAggregateBusinessInformationEntitySchemaModule:1:0";

struct XmlInvoiceOptions {
    TestCertificate signer;  // with an RSA key
    XmlSigningReading reading = XmlSigningReading::Java;
    // The elements after the signature, each written in canonical form (no empty-element
    // tags, attributes in order, no namespace declarations), joined by "\n\t".
    std::vector<std::string> signedElements = {
        "<TaxInvoiceDocument>\n\t\t<IssueID>20240305410000730000001</IssueID>\n\t\t"
        "<TypeCode>0101</TypeCode>\n\t</TaxInvoiceDocument>"};
    // The ExchangedDocument's content, which the signature does not cover.
    std::string exchangedDocument = "<ID>1</ID>";
    // The SignedInfo algorithms and transforms as written (defaults: the invoices' profile).
    std::string signatureMethod = "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256";
    std::string transforms = "";  // empty = canonical XML 1.0, then the invoice filter
    std::string digestMethod = "http://www.w3.org/2001/04/xmlenc#sha256";
    std::string referenceUri = "";
    bool keyInfo = true;
};

// A standard-schema invoice (UTF-8) with an enveloped XML signature over `signedElements`,
// computed here from the canonical form the document is written in, not by the viewer's code.
std::string SignedXmlInvoice(const XmlInvoiceOptions& options);

// --- Document containers (file text, code page 949) ---

// A semicolon header of the digit's length (at least 5 characters): ";" at 0, `lengthDigit`
// at 2, `formCode` at 4, filler elsewhere. With a digit below 5 the header is 5 long.
std::string ContainerHeader(char lengthDigit, char formCode);

// The bare signed message file: the signed text itself (it starts with "M").
std::string BareMessageFile(std::string_view signedText);

// The bare semicolon form: header (form code "2" or "6", digit "7" or "9") then the signed text
// from the digit's position on.
std::string SemicolonBareFile(std::string_view signedText, char formCode = '2',
                              char lengthDigit = '7');

struct ContainerAttachment {
    std::string name = "attachment.txt";  // UTF-8, written as code page 949
    std::string data = "QUJD";            // after its own header
    char lengthDigit = '7';               // position 2 of the data value's header
};

// The wrapped form: a header with form code "0", the payload element `data="..."` (its own
// header with `payloadDigit` at position 2, then the signed text), then one
// `<file name="..." data="..."/>` element per attachment.
std::string WrappedFile(std::string_view signedText, char payloadDigit = '7',
                        const std::vector<ContainerAttachment>& attachments = {});

}  // namespace ledgra::testing
