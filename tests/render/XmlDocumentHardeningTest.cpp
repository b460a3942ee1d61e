#include <gtest/gtest.h>

#include <string>

#include "render/XmlDocument.h"
#include "render/XmlParsing.h"
#include "tests/support/SharedSamples.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

std::string BillionLaughs() {
    std::string dtd = "<!DOCTYPE r [<!ENTITY e0 \"ha\">";
    for (int i = 1; i < 10; ++i) {
        dtd += "<!ENTITY e" + std::to_string(i) + " \"" +
               Repeat("&e" + std::to_string(i - 1) + ";", 10) + "\">";
    }
    return dtd + "]><r>&e9;</r>";
}

std::string Nested(int depth) {
    return Repeat("<a>", depth) + "x" + Repeat("</a>", depth);
}

struct HostileCase {
    const char* name;
    std::string text;
};

TEST(XmlDocumentHardening, RefusesHostileAndMalformedDocuments) {
    TempFolder folder;
    const std::string secret = folder.Write("secret.txt", "SECRET").string();
    folder.Write("outer.dtd", "<!ENTITY x SYSTEM \"secret.txt\">");
    const HostileCase cases[] = {
        {"billion laughs", BillionLaughs()},
        {"internal entity referenced thousands of times", "<!DOCTYPE r [<!ENTITY e \"" +
                                                              Repeat("x", 1000) + "\">]><r>" +
                                                              Repeat("&e;", 100000) + "</r>"},
        {"external entity naming a local file",
         "<!DOCTYPE r [<!ENTITY x SYSTEM \"file://" + secret + "\">]><r>&x;</r>"},
        {"external parameter entity",
         "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file://" + secret + "\">%p;]><r/>"},
        {"external document type",
         "<!DOCTYPE r SYSTEM \"file://" + (folder.Path() / "outer.dtd").string() + "\"><r>&x;</r>"},
        {"bare document type", "<!DOCTYPE r><r/>"},
        {"nesting 100000 deep", Nested(100000)},
        {"nesting past libxml2's limit of 256", Nested(300)},
        {"empty", ""},
        {"cut short", "<r><a></a>"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument doc;
        EXPECT_FALSE(doc.LoadXmlText(c.text));
        EXPECT_FALSE(doc.LoadXmlBytes(c.text));
        EXPECT_EQ(doc.SelectNodes("//*").ListLength(), 0);
    }
}

TEST(XmlDocumentHardening, TreesPastTheNodeBudgetAreRefused) {
    std::string manyAttributes = "<r";
    for (int i = 0; i <= kMaxXmlAttributesPerElement; ++i)
        manyAttributes += " a" + std::to_string(i) + "=''";
    const HostileCase cases[] = {
        {"one element past the budget", "<r>" + Repeat("<a/>", kMaxXmlNodes) + "</r>"},
        {"attributes past the limit of one element", manyAttributes + "/>"},
        {"attributes past the limit, quoted markup and all",
         Repeat("<a b='>' c=\"<!--\">", 1) + manyAttributes + "/></a>"},
        {"namespaces in scope past the limit",
         Repeat("<a xmlns:p='urn:p' xmlns:q='urn:q'>", kMaxXmlNamespacesInScope / 2 + 1) + "x" +
             Repeat("</a>", kMaxXmlNamespacesInScope / 2 + 1)},
        {"attributes count twice",
         "<r>" + Repeat("<a b='1' c='2' d='3'/>", kMaxXmlNodes / 6) + "</r>"},
        {"text pieces count", "<r>" + Repeat("<a/>x", kMaxXmlNodes / 2) + "</r>"},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        XmlDocument doc;
        EXPECT_FALSE(doc.LoadXmlText(c.text));
    }
    XmlDocument doc;
    EXPECT_TRUE(doc.LoadXmlText("<r>" + Repeat("<a/>", kMaxXmlNodes - 10) + "</r>"));
}

TEST(XmlDocumentHardening, ALargeAttachmentInOneTextNodeLoads) {
    // Past the parser's own limit of 10 MB for one text node.
    const std::string attachment(20 << 20, 'Q');
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadXmlText("<Contract><File>" + attachment + "</File></Contract>"));
    EXPECT_EQ(doc.SelectNode("//File").NodeText().size(), attachment.size());
}

TEST(XmlDocumentHardening, LoadsDeepButReasonableNestingAndIgnoresXInclude) {
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadXmlText(Nested(256)));
    EXPECT_EQ(doc.SelectNodes("//a").ListLength(), 256);

    ASSERT_TRUE(
        doc.LoadXmlBytes("<r xmlns:xi=\"http://www.w3.org/2001/XInclude\">"
                                     "<xi:include href=\"secret.txt\" parse=\"text\"/></r>"));
    EXPECT_EQ(doc.SelectNode("/r").NodeText(), "");
}

TEST(XmlDocumentHardening, PrintsNothingOnFailure) {
    ::testing::internal::CaptureStderr();
    XmlDocument doc;
    EXPECT_FALSE(doc.LoadXmlText(BillionLaughs()));
    EXPECT_FALSE(doc.LoadXmlText("<r><a></r>"));
    EXPECT_FALSE(doc.LoadXmlBytes("<?xml version=\"1.0\" encoding=\"no-such\"?><r/>"));
    EXPECT_THROW(doc.SelectNodes("//["), XmlAccessError);
    ASSERT_TRUE(doc.LoadXmlText("<r/>"));
    EXPECT_THROW(doc.SelectNodes("unknown-function(1)"), XmlAccessError);
    EXPECT_THROW(doc.SelectNodes("//r[unknown-function(1)]"), XmlAccessError);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

const std::filesystem::path kRealSamples = LEDGRA_SHARED_SAMPLES "/real/xml/";

TEST(XmlDocumentRealSamples, StandardInvoicesLoadAndReadBack) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    struct Sample {
        const char* file;
        const char* issueId;
    };
    const Sample samples[] = {
        {"etaxbill-certifier_6-0101_signed.xml", "201409184100007300000001"},
        {"etaxbill-certifier_6-0301_signed.xml", "201106304100007300000001"},
        {"kr-etax-sample_unsigned.xml", "200909143900502610018801"},
        {"open-etaxbill_1-0101.xml", "201607184200023800000001"},
        {"open-etaxbill_1-0201.xml", "201607204200023800000001"},
        {"open-etaxbill_1-0301.xml", "201607254200023800000001"},
        {"open-etaxbill_1-0401.xml", "201607304200023800000001"},
    };
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        XmlDocument doc;
        ASSERT_TRUE(doc.LoadXmlBytes(ReadBytes(kRealSamples / sample.file)));
        static const XPath kIssueId("//TaxInvoice/TaxInvoiceDocument/IssueID");
        EXPECT_EQ(doc.SelectNode(kIssueId).NodeText(), sample.issueId);
        XmlNode invoicer = doc.SelectNode("//TaxInvoiceTradeSettlement/InvoicerParty");
        EXPECT_FALSE(invoicer.SelectNode("NameText").NodeText().empty());
        EXPECT_TRUE(IsValidCp949(invoicer.SelectNode("NameText").NodeText()));
        EXPECT_EQ(doc.SelectNodes("//SignatureValue").ListLength(), 0);
    }
    XmlDocument odin;
    ASSERT_TRUE(odin.LoadXmlBytes(ReadBytes(kRealSamples / "open-etaxbill_1-0101.xml")));
    EXPECT_EQ(odin.SelectNode("//InvoicerParty/SpecifiedPerson/NameText").NodeText(),
              "이성안"_cp949);
}

TEST(XmlDocumentRealSamples, FourConcatenatedDocumentsFailCleanly) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    XmlDocument doc;
    EXPECT_FALSE(
        doc.LoadXmlBytes(ReadBytes(kRealSamples / "etaxbill-certifier_12_four-concatenated-docs.xml")));
    EXPECT_EQ(doc.SelectNodes("//IssueID").ListLength(), 0);
}

}  // namespace
}  // namespace ledgra
