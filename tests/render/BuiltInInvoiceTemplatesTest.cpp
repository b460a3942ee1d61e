// Every built-in invoice template, filled by its renderer from a full document and from an
// empty one, keeps no placeholder text: a printed invoice must never show ":name:".

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "render/InvoicePage.h"
#include "render/KeyValueInvoice.h"
#include "render/LegacyInvoice.h"
#include "tests/render/LegacyInvoiceTestSupport.h"
#include "tests/render/RenderingTestSupport.h"
#include "tests/render/StandardInvoiceTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::Element;
using testing::InvoiceFormRendering;
using testing::InvoiceParts;
using testing::InvoiceRendering;
using testing::LegacyHeaderValues;
using testing::LegacyParts;

// The placeholder-like texts of a page (UTF-8): a colon, a name without blanks or markup
// characters, a colon.
std::set<std::string> PlaceholderTexts(const std::string& utf8Page) {
    static const std::regex kPlaceholder(R"(:[^\s:;'"<>(){}/=,.&%#!?]+:)");
    std::set<std::string> found;
    for (auto it = std::sregex_iterator(utf8Page.begin(), utf8Page.end(), kPlaceholder);
         it != std::sregex_iterator(); ++it) {
        found.insert(it->str());
    }
    return found;
}

// Checks the page and records which template it was.
void ExpectFilled(const std::string& page, std::set<int>& seen, int templateId,
                  const std::string& what) {
    ASSERT_FALSE(page.empty()) << what;
    seen.insert(templateId);
    EXPECT_EQ(PlaceholderTexts(Utf8FromCp949(page)), std::set<std::string>{})
        << what << " (template " << templateId << ")";
}

TEST(BuiltInInvoiceTemplates, TheProbeFindsEveryPlaceholderOfARawTemplate) {
    const std::optional<std::string> raw = PageTemplates().LoadPageTemplate(141);
    ASSERT_TRUE(raw);
    // The tax invoice form holds every placeholder of the six forms.
    std::set<std::string> expected;
    for (const std::string& name : testing::InvoiceFormPlaceholderNames()) {
        expected.insert(":" + name + ":");
    }
    EXPECT_EQ(PlaceholderTexts(Utf8FromCp949(*raw)), expected);
}

// The template a rendering used: the copy it chose says whether it was the matching one.
int TemplateShown(const CopyRequest& copy, CopyTemplates templates) {
    return copy.lastCopy == 1 ? templates.supplierCopy : templates.buyerCopy;
}

TEST(BuiltInInvoiceTemplates, LegacyAndKeyValueFormsLeaveNoPlaceholder) {
    const std::string seal = "R0lGODlhAQABAAAAACw=";
    struct Kind {
        const char* typeCode;
        const char* dataType;
        CopyTemplates templates;
    };
    const Kind legacyKinds[] = {{"01", "01", kTaxInvoiceTemplates},
                                {"02", "01", kInvoiceWithoutTaxTemplates},
                                {"01", "09", kPaymentReceiptTemplates}};
    const Kind keyValueKinds[] = {{"01", "", kTaxInvoiceTemplates},
                                  {"02", "", kInvoiceWithoutTaxTemplates}};
    std::set<int> seen;
    for (const char* own : {"1358854321", "0000000000"}) {
        for (const Kind& kind : legacyKinds) {
            LegacyParts parts;
            parts.header = LegacyHeaderValues("점검", "20240430", kind.typeCode);
            parts.extensions =
                Element("Extension", Element("Stamp", seal)) +
                Element("ApplicationArea", Element("Extension", Element("DataType", kind.dataType) +
                                                                    Element("Stamp", seal)));
            InvoiceFormRendering full(true);
            full.SetOwnNumber(own);
            const std::string page = full.Render(RenderLegacyInvoice, parts.Xml()).page;
            ExpectFilled(page, seen, TemplateShown(full.copy, kind.templates),
                         std::string("legacy ") + kind.dataType + "/" + kind.typeCode);
        }
        for (const Kind& kind : keyValueKinds) {
            const std::string text =
                std::string("<세금계산서 증서구분=\"") + kind.typeCode +
                "\" 작성일=\"20240520\" 책권=\"1\" 책호=\"5\" 전표번호1=\"45\" 공란수=\"5\" "
                "비고=\"x\"><공급자 등록번호=\"1358854321\" 회사명=\"a\" 대표자=\"b\" 업태=\"c\" "
                "종목=\"d\" 사업장소재지=\"e\"/><공급받는자 등록번호=\"1\" 회사명=\"a\" "
                "대표자=\"b\"/><결제정보 공급가액=\"1\" 세액=\"1\" 합계금액=\"2\"/><상품1 "
                "월일=\"0517\" 품목=\"p\"/><인감 공급받는자=\"" +
                seal + "\" 공급자=\"" + seal + "\"/>";
            InvoiceFormRendering full(true);
            full.SetOwnNumber(own);
            const std::string page = full.Render(RenderKeyValueInvoice, text).page;
            ExpectFilled(page, seen, TemplateShown(full.copy, kind.templates),
                         std::string("key-value ") + kind.typeCode);
        }
        // Empty documents: a legacy text that does not parse, a key-value text without any
        // key (and so without tax: an invoice without tax).
        struct Empty {
            const char* name;
            Renderer renderer;
            CopyTemplates templates;
        };
        const Empty empties[] = {{"legacy", RenderLegacyInvoice, kTaxInvoiceTemplates},
                                 {"key-value", RenderKeyValueInvoice, kInvoiceWithoutTaxTemplates}};
        for (const Empty& empty : empties) {
            InvoiceFormRendering rendering(true);
            rendering.SetOwnNumber(own);
            const std::string page = rendering.Render(empty.renderer, "").page;
            ExpectFilled(page, seen, TemplateShown(rendering.copy, empty.templates),
                         std::string("empty ") + empty.name);
        }
    }
    EXPECT_EQ(seen, (std::set<int>{140, 141, 189, 190, 209, 210}));
}

TEST(BuiltInInvoiceTemplates, StandardFormsLeaveNoPlaceholder) {
    std::set<int> seen;
    for (const char* own : {"1234567890", "0000000000"}) {
        for (const std::string& document : {InvoiceParts().Xml(), std::string("<TaxInvoice/>")}) {
            InvoiceRendering rendering(true);
            rendering.SetOwnNumber(own);
            const std::string page = rendering.Render(document).page;
            ExpectFilled(page, seen, rendering.copy.lastCopy == 1 ? 213 : 214,
                         std::string("standard own ") + own);
        }
    }
    EXPECT_EQ(seen, (std::set<int>{213, 214}));
}

}  // namespace
}  // namespace ledgra
