// XML signatures of invoices signed here: both canonical readings verify, a change anywhere
// in the signed part is caught, and every form outside the invoices' profile is refused.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "render/XmlDocument.h"
#include "tests/support/SignedFixtures.h"
#include "text/Cp949.h"
#include "verify/XmlSignature.h"

namespace ledgra::testing {
namespace {

const TestCertificate& RsaSigner() {
    static const TestCertificate signer = [] {
        CertificateOptions options;
        options.commonName = "(주)레드그라 전자세금계산서";
        options.keyType = KeyType::Rsa2048;
        return TestAuthority::Trusted().Issue(options);
    }();
    return signer;
}

XmlInvoiceOptions Invoice(XmlSigningReading reading = XmlSigningReading::Java) {
    XmlInvoiceOptions options{.signer = RsaSigner()};
    options.reading = reading;
    return options;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at == std::string::npos) ADD_FAILURE() << "no " << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string Describe(const XmlSignatureCheck& check) {
    return Utf8FromCp949(FailureText(check.failure)) + " " + check.detail;
}

TEST(XmlSignature, BothCanonicalReadingsVerifyAndTheMatchIsRecorded) {
    for (XmlSigningReading reading : {XmlSigningReading::Java, XmlSigningReading::Strict}) {
        const XmlSignatureCheck check = CheckXmlSignature(SignedXmlInvoice(Invoice(reading)));
        ASSERT_EQ(check.state, XmlSignatureCheck::State::Intact) << Describe(check);
        EXPECT_EQ(check.reading, reading == XmlSigningReading::Java ? CanonicalReading::Java
                                                                    : CanonicalReading::Strict);
        EXPECT_EQ(check.signerName, "(주)레드그라 전자세금계산서"_cp949);
        EXPECT_EQ(check.certificateDer, RsaSigner().Der());
    }
}

TEST(XmlSignature, ADocumentWithoutSignatureIsUnsigned) {
    for (const char* document : {"<TaxInvoice><TaxInvoiceDocument/></TaxInvoice>", "<a>", ""}) {
        EXPECT_EQ(CheckXmlSignature(document).state, XmlSignatureCheck::State::Unsigned)
            << document;
    }
}

struct RefusedCase {
    const char* name;
    std::function<std::string()> document;
    VerifierFailure expected;
};

const std::vector<RefusedCase>& RefusedCases() {
    static const std::vector<RefusedCase> cases = {
        {"changed signed value",
         [] { return Replaced(SignedXmlInvoice(Invoice()), "0101</TypeCode>", "0102</TypeCode>"); },
         VerifierFailure::DigestMismatch},
        {"changed strictly signed value",
         [] {
             return Replaced(SignedXmlInvoice(Invoice(XmlSigningReading::Strict)), "<IssueID>2024",
                             "<IssueID>2025");
         },
         VerifierFailure::DigestMismatch},
        {"added signed element",
         [] {
             return Replaced(SignedXmlInvoice(Invoice()), "</TaxInvoice>",
                             "<Extra>1</Extra></TaxInvoice>");
         },
         VerifierFailure::DigestMismatch},
        {"changed SignedInfo",
         [] {
             return Replaced(SignedXmlInvoice(Invoice()), "<ds:Reference URI=\"\">\n",
                             "<ds:Reference URI=\"\">\n\n");
         },
         VerifierFailure::BadSignature},
        {"SHA-1 signature method",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.signatureMethod = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"HMAC signature method",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.signatureMethod = "http://www.w3.org/2000/09/xmldsig#hmac-sha1";
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"SHA-1 digest",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.digestMethod = "http://www.w3.org/2000/09/xmldsig#sha1";
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"external reference",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.referenceUri = "http://example.com/invoice.xml";
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"enveloped-signature transform",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.transforms =
                 "<ds:Transforms><ds:Transform Algorithm=\"http://www.w3.org/2000/09/"
                 "xmldsig#enveloped-signature\"></ds:Transform></ds:Transforms>\n";
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"another XPath filter",
         [] {
             return Replaced(SignedXmlInvoice(Invoice()), "ancestor-or-self::ds:Signature)",
                             "ancestor-or-self::ds:Signature | //TaxInvoiceDocument)");
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"two references",
         [] {
             const std::string document = SignedXmlInvoice(Invoice());
             const std::size_t begin = document.find("<ds:Reference");
             const std::size_t end = document.find("</ds:Reference>") + 15;
             return std::string(document).insert(end, document.substr(begin, end - begin));
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"two signatures",
         [] {
             const std::string document = SignedXmlInvoice(Invoice());
             const std::size_t begin = document.find("<ds:Signature");
             const std::size_t end = document.find("</ds:Signature>") + 15;
             return std::string(document).insert(end, document.substr(begin, end - begin));
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"inner TaxInvoice element",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.signedElements.push_back("<TaxInvoice></TaxInvoice>");
             return SignedXmlInvoice(options);
         },
         VerifierFailure::UnsupportedXmlSignature},
        {"no certificate in KeyInfo",
         [] {
             XmlInvoiceOptions options = Invoice();
             options.keyInfo = false;
             return SignedXmlInvoice(options);
         },
         VerifierFailure::NoCertificates},
        {"RSA-512 signer",
         [] {
             CertificateOptions weak;
             weak.keyType = KeyType::Rsa512;
             XmlInvoiceOptions options = Invoice();
             options.signer = TestAuthority::Trusted().Issue(weak);
             return SignedXmlInvoice(options);
         },
         VerifierFailure::WeakKey},
        {"authority as signer",
         [] {
             CertificateOptions authority;
             authority.keyType = KeyType::Rsa1024;
             authority.authority = true;
             XmlInvoiceOptions options = Invoice();
             options.signer = TestAuthority::Trusted().Issue(authority);
             return SignedXmlInvoice(options);
         },
         VerifierFailure::SignerIsAuthority},
    };
    return cases;
}

void PrintTo(const RefusedCase& row, std::ostream* out) {
    *out << row.name;
}

class XmlSignatureRefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(XmlSignatureRefusedTest, IsRefusedWithItsReason) {
    const XmlSignatureCheck check = CheckXmlSignature(GetParam().document());
    EXPECT_EQ(check.state, XmlSignatureCheck::State::Refused);
    EXPECT_EQ(check.failure, GetParam().expected) << Describe(check);
    EXPECT_TRUE(check.signedDocument.empty());
}

INSTANTIATE_TEST_SUITE_P(Documents, XmlSignatureRefusedTest, ::testing::ValuesIn(RefusedCases()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });

TEST(XmlSignature, UnsignedPartsAreChangeableButNeverReachTheSignedDocument) {
    XmlInvoiceOptions options = Invoice();
    options.exchangedDocument = "<ID>1</ID><DescriptionText>planted</DescriptionText>";
    std::string document = SignedXmlInvoice(options);
    // A comment is not signed either.
    document = Replaced(document, "<TypeCode>", "<!--planted--><TypeCode>");
    const XmlSignatureCheck check = CheckXmlSignature(document);
    ASSERT_EQ(check.state, XmlSignatureCheck::State::Intact) << Describe(check);

    XmlDocument signedPart;
    ASSERT_TRUE(signedPart.LoadXmlBytes(check.signedDocument));
    EXPECT_EQ(signedPart.SelectNodes("//DescriptionText").ListLength(), 0);
    EXPECT_EQ(signedPart.SelectNodes("//ExchangedDocument").ListLength(), 0);
    EXPECT_EQ(signedPart.SelectNodes("//comment()").ListLength(), 0);
    EXPECT_EQ(signedPart.SelectNodes("//@*").ListLength(), 0);
    EXPECT_EQ(signedPart.SelectNode("//TaxInvoice/TaxInvoiceDocument/TypeCode").NodeText(), "0101");
}

}  // namespace
}  // namespace ledgra::testing
