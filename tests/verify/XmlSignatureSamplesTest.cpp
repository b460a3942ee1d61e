// XML signatures of real standard-schema invoices: intact as they come, refused once changed.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"
#include "verify/XmlSignature.h"

namespace ledgra::testing {
namespace {

const std::filesystem::path kSamples = LEDGRA_SHARED_SAMPLES "/real/xml";

// The signed samples, each document of the concatenated file on its own.
std::vector<std::string> SignedSamples() {
    std::vector<std::string> documents;
    for (const char* name :
         {"etaxbill-certifier_6-0101_signed.xml", "etaxbill-certifier_6-0301_signed.xml"}) {
        documents.push_back(ReadBytes((kSamples / name).string()));
    }
    const std::string four =
        ReadBytes((kSamples / "etaxbill-certifier_12_four-concatenated-docs.xml").string());
    for (std::size_t at = four.find("<?xml"); at != std::string::npos;) {
        const std::size_t next = four.find("<?xml", at + 1);
        documents.push_back(four.substr(at, next == std::string::npos ? next : next - at));
        at = next;
    }
    return documents;
}

class XmlSignatureSamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(kSamples)) GTEST_SKIP() << "no shared samples";
    }
};

TEST_F(XmlSignatureSamplesTest, RealInvoicesAreIntactInTheJavaReading) {
    const std::vector<std::string> documents = SignedSamples();
    ASSERT_EQ(documents.size(), 6u);
    for (const std::string& document : documents) {
        XmlSignatureCheck check = CheckXmlSignature(document);
        ASSERT_EQ(check.state, XmlSignatureCheck::State::Intact)
            << Utf8FromCp949(FailureText(check.failure)) << " " << check.detail;
        EXPECT_EQ(check.reading, CanonicalReading::Java);
        EXPECT_FALSE(check.signerName.empty());
        EXPECT_FALSE(check.certificateDer.empty());
    }
}

TEST_F(XmlSignatureSamplesTest, AChangedAmountOrSignatureIsRefused) {
    const std::string document = SignedSamples().front();
    struct Change {
        const char* name;
        std::string from;
        std::string to;
        VerifierFailure expected;
    };
    const std::vector<Change> changes = {
        {"an amount", "<GrandTotalAmount>1", "<GrandTotalAmount>9",
         VerifierFailure::DigestMismatch},
        {"the signed digest", "<ds:DigestValue>uw", "<ds:DigestValue>uW",
         VerifierFailure::BadSignature},
        {"the signature value", "OC3xsqCko", "OC3xsqCkO", VerifierFailure::BadSignature},
    };
    for (const Change& change : changes) {
        std::string changed = document;
        const std::size_t at = changed.find(change.from);
        ASSERT_NE(at, std::string::npos) << change.name;
        changed.replace(at, change.from.size(), change.to);
        XmlSignatureCheck check = CheckXmlSignature(changed);
        EXPECT_EQ(check.state, XmlSignatureCheck::State::Refused) << change.name;
        EXPECT_EQ(check.failure, change.expected) << change.name;
    }
}

TEST_F(XmlSignatureSamplesTest, TheWholeConcatenatedFileFailsAsUnreadableSignedXml) {
    const std::string four =
        ReadBytes((kSamples / "etaxbill-certifier_12_four-concatenated-docs.xml").string());
    const XmlSignatureCheck check = CheckXmlSignature(four);
    EXPECT_EQ(check.state, XmlSignatureCheck::State::Refused);
    EXPECT_EQ(check.failure, VerifierFailure::UnreadableXml);
}

// Odd but harmless input is judged like any other, libxml2 keeps quiet, and a document whose
// canonicalisation would take minutes is refused up front.
TEST_F(XmlSignatureSamplesTest, OddShapesAreJudgedQuietlyAndCostlyOnesRefused) {
    const std::string document = SignedSamples().front();
    const std::size_t end = document.rfind("</TaxInvoice>");
    auto repeated = [](const std::string& text, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) all += text;
        return all;
    };
    auto signedPart = [&](const std::string& body) {
        return document.substr(0, end) + body + document.substr(end);
    };
    std::string declarations;
    for (int n = 100; n < 159; ++n) declarations += " xmlns:n" + std::to_string(n) + "=\"urn:n\"";
    std::string attributes;
    for (int n = 1000; n < 1256; ++n) attributes += " z" + std::to_string(n) + "=\"\"";
    std::string header = document;
    header.replace(header.find("<ExchangedDocument>"), 19,
                   "<ExchangedDocument xmlns:r=\"relative/address\">");
    const struct {
        const char* name;
        std::string document;
        XmlSignatureCheck::State state;
        std::string detail;
    } cases[] = {
        {"relative namespace in the unsigned header", header, XmlSignatureCheck::State::Intact, ""},
        {"relative namespace in the signed part", signedPart("<N xmlns:r=\"relative\"/>"),
         XmlSignatureCheck::State::Refused, "relative namespace URI"},
        {"namespaces, depth and leaves",
         signedPart("<Chain" + declarations + ">" + repeated("<c>", 240) + repeated("<e/>", 3000) +
                    repeated("</c>", 240) + "</Chain>"),
         XmlSignatureCheck::State::Refused, "too complex to canonicalise"},
        {"many attributes on many elements", signedPart(repeated("<a" + attributes + "/>", 1400)),
         XmlSignatureCheck::State::Refused, "too complex to canonicalise"},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStderr();
        const XmlSignatureCheck check = CheckXmlSignature(c.document);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << c.name;
        EXPECT_EQ(check.state, c.state) << c.name;
        EXPECT_EQ(check.detail, c.detail) << c.name;
    }
}

}  // namespace
}  // namespace ledgra::testing
