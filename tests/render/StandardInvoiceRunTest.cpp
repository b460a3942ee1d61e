#include <gtest/gtest.h>

#include <functional>

#include "render/FileNotSavedError.h"
#include "render/XmlDocument.h"
#include "tests/render/RenderingTestSupport.h"
#include "tests/render/StandardInvoiceTestSupport.h"

namespace ledgra {
namespace {

using testing::Element;
using testing::InvoiceParts;
using testing::InvoiceRendering;
using testing::Item;
using testing::PartyBody;
using testing::ReadBytes;
using testing::RenderedInvoice;

using Lines = std::vector<std::string>;

TEST(StandardInvoiceRun, CopyFollowsTheOwnNumberAndAlternates) {
    InvoiceRendering rendering;
    const std::string xml = InvoiceParts().Xml();  // supplier 1234567890

    rendering.SetOwnNumber("1234567890");
    EXPECT_EQ(rendering.Render(xml).templateId, 213);
    EXPECT_EQ(rendering.copy.lastCopy, 1);

    rendering.SetOwnNumber("1234567891");
    EXPECT_EQ(rendering.Render(xml).templateId, 214);
    EXPECT_EQ(rendering.copy.lastCopy, 2);

    rendering.copy.otherCopy = true;
    EXPECT_EQ(rendering.Render(xml).templateId, 213);
    EXPECT_EQ(rendering.copy.lastCopy, 1);
    EXPECT_EQ(rendering.Render(xml).templateId, 214);
    EXPECT_EQ(rendering.copy.lastCopy, 2);
    EXPECT_TRUE(rendering.ui.Events().empty());
}

TEST(StandardInvoiceRun, OtherCopyBeforeAnyPageGivesNothing) {
    InvoiceRendering rendering;
    rendering.copy.otherCopy = true;
    InvoiceParts parts;
    parts.extensions = Element("Extension", Element("Stamp", "YWJj"));

    EXPECT_EQ(rendering.Render(parts.Xml()).page, "");
    EXPECT_EQ(rendering.copy.lastCopy, 0);
    EXPECT_TRUE(rendering.ui.Events().empty());
    EXPECT_FALSE(std::filesystem::exists(rendering.SupplierSealFile()));
}

TEST(StandardInvoiceRun, MissingTemplateGivesNothing) {
    InvoiceRendering rendering;
    std::filesystem::remove(rendering.folder.Path() / "templates" / "214.html");
    EXPECT_EQ(rendering.Render(InvoiceParts().Xml()).page, "");
    EXPECT_TRUE(rendering.ui.Events().empty());
}

TEST(StandardInvoiceRun, FileThatDoesNotLoadIsReported) {
    InvoiceRendering rendering;
    const std::filesystem::path files[] = {
        rendering.folder.Path() / "missing.xml",
        rendering.folder.Write("broken.xml", "<TaxInvoice><TaxInvoiceDocument></TaxInvoice>"),
        rendering.folder.Write("empty.xml", ""),
        LEDGRA_SHARED_SAMPLES "/real/xml/etaxbill-certifier_12_four-concatenated-docs.xml",
    };
    for (const std::filesystem::path& file : files) {
        rendering.ui.Clear();
        EXPECT_EQ(rendering.RenderFile(file).page, "") << file;
        EXPECT_EQ(rendering.ui.Lines(), Lines{"box|에러 메시지|!|XML 파일 로딩 에러"}) << file;
        EXPECT_EQ(rendering.copy.lastCopy, 0);
    }
}

// Removes the first occurrence of `text` from one part of the invoice.
std::function<void(InvoiceParts&)> Without(std::string InvoiceParts::*part, std::string text) {
    return [part, text](InvoiceParts& parts) {
        std::string& value = parts.*part;
        const std::size_t at = value.find(text);
        ASSERT_NE(at, std::string::npos) << text;
        value.erase(at, text.size());
    };
}

std::function<void(InvoiceParts&)> Adding(std::string InvoiceParts::*part, std::string text) {
    return [part, text](InvoiceParts& parts) { parts.*part += text; };
}

TEST(StandardInvoiceRun, MissingRequiredElementsThrow) {
    using P = InvoiceParts;
    const std::pair<const char*, std::function<void(InvoiceParts&)>> cases[] = {
        {"approval number", Without(&P::document, "<IssueID>20240305-41000073-0001</IssueID>")},
        {"purpose code", Without(&P::document, "<PurposeCode>02</PurposeCode>")},
        {"supplier representative",
         Without(&P::supplier, "<SpecifiedPerson><NameText>김공급</NameText></SpecifiedPerson>")},
        {"buyer business item", Without(&P::buyer, "<ClassificationCode>잡화</ClassificationCode>")},
        {"supplier organisation without number",
         Adding(&P::supplier, Element("SpecifiedOrganization", ""))},
        {"broker without name",
         Adding(&P::brokers, Element("BrokerParty", Element("ID", "1") +
                                                        Element("SpecifiedPerson",
                                                                Element("NameText", "x"))))},
        {"payment without amount",
         Adding(&P::payments, Element("SpecifiedPaymentMeans", Element("TypeCode", "10")))},
        {"grand total", Without(&P::summation, "<GrandTotalAmount>110000</GrandTotalAmount>")},
        {"date of an item beyond the fourth",
         [](InvoiceParts& parts) {
             for (int i = 0; i < 4; ++i) parts.items += Item("20240305", "x", "1", "0");
             parts.items += Element("TaxInvoiceTradeLineItem",
                                    Element("InvoiceAmount", "1") +
                                        Element("TotalTax", Element("CalculatedAmount", "0")));
         }},
        {"item tax", Without(&P::items, "<TotalTax><CalculatedAmount>10000</CalculatedAmount>"
                                        "</TotalTax>")},
        {"stamp of an extension", Adding(&P::extensions, Element("Extension", ""))},
    };
    for (const auto& [name, change] : cases) {
        InvoiceParts parts;
        change(parts);
        InvoiceRendering rendering;
        EXPECT_THROW(rendering.Render(parts.Xml()), XmlAccessError) << name;
        EXPECT_TRUE(rendering.ui.Events().empty()) << name;
    }
}

TEST(StandardInvoiceRun, OptionalElementsMayBeMissing) {
    InvoiceParts parts;
    parts.buyer += Element("SpecifiedOrganization", Element("BusinessTypeCode", "01"));
    parts.items =
        Element("TaxInvoiceTradeLineItem",
                Element("PurchaseExpiryDateTime", "20240305") + Element("InvoiceAmount", "5") +
                    Element("TotalTax", Element("CalculatedAmount", "1")));
    InvoiceRendering rendering;
    const RenderedInvoice rendered = rendering.Render(parts.Xml());
    EXPECT_EQ(rendered.Cell("종사업장번호R"), "&nbsp;");
    EXPECT_EQ(rendered.Cell("품목1"), "&nbsp;");
    EXPECT_EQ(rendered.Cell("공급가액1"), "5");

    // A document without any invoice element still makes a (blank) page.
    const RenderedInvoice blank = rendering.Render("<TaxInvoice/>");
    EXPECT_EQ(blank.Cell("상호P"), "&nbsp;");
    EXPECT_EQ(blank.Cell("합계금액"), "0");
}

TEST(StandardInvoiceRun, SupplierSealIsWrittenToTheLogFolder) {
    struct Case {
        const char* name;
        std::string extensions;
        bool written;
        std::string bytes;
    };
    const std::string gif("GIF89a\x01\x00\x01\x00\x00\x00\x00\x00", 14);
    const Case cases[] = {
        {"no extension", "", false, ""},
        {"empty stamp", Element("Extension", Element("Stamp", "")), false, ""},
        {"stamp decoding to nothing", Element("Extension", Element("Stamp", "=\n=")), true, ""},
        {"last stamp counts",
         Element("Extension", Element("Stamp", "YWJj")) +
             Element("Extension", Element("Stamp", "R0lGODlh\nAQABAAAAAAA=")),
         true, gif},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InvoiceRendering rendering;
        InvoiceParts parts;
        parts.extensions = c.extensions;
        const RenderedInvoice rendered = rendering.Render(parts.Xml());
        ASSERT_FALSE(rendered.page.empty());
        EXPECT_EQ(std::filesystem::exists(rendering.SupplierSealFile()), c.written);
        EXPECT_EQ(ReadBytes(rendering.SupplierSealFile()), c.bytes);
        EXPECT_EQ(rendered.Cell("공급받는자인장"), "(인)");
        const std::string imagePath = (rendering.logFolder / "zova_supplier.gif");
        EXPECT_EQ(rendered.Cell("공급자인장"), c.bytes.empty()
                                                   ? "(인)"
                                                   : "<IMG SRC='" + imagePath +
                                                         "' HEIGHT=50 WIDTH=51 BORDER=0 ALT='' "
                                                         "style='filter:alpha(opacity=90%)'>");
    }
}

TEST(StandardInvoiceRun, SealOfAnEarlierInvoiceStaysUntilOverwritten) {
    InvoiceRendering rendering;
    InvoiceParts parts;
    parts.extensions = Element("Extension", Element("Stamp", "YWJj"));
    rendering.Render(parts.Xml());
    parts.extensions.clear();
    rendering.Render(parts.Xml());
    EXPECT_EQ(ReadBytes(rendering.SupplierSealFile()), "abc");
}

TEST(StandardInvoiceRun, ASealThatCannotBeWrittenFailsThePage) {
    InvoiceRendering rendering;
    rendering.logFolder = (rendering.folder.Path() / "no such folder" / "").native();
    InvoiceParts parts;
    parts.extensions = Element("Extension", Element("Stamp", "YWJj"));
    EXPECT_THROW(rendering.Render(parts.Xml()), FileNotSavedError);
    EXPECT_FALSE(std::filesystem::exists(rendering.logFolder));
}

}  // namespace
}  // namespace ledgra
