#include <gtest/gtest.h>

#include <filesystem>

#include "render/LegacyInvoice.h"
#include "render/XmlDocument.h"
#include "tests/render/LegacyInvoiceTestSupport.h"
#include "tests/render/RenderingTestSupport.h"
#include "tests/support/TempFolder.h"
#include "text/ByteString.h"

namespace ledgra {
namespace {

using testing::Element;
using testing::InvoiceFormRendering;
using testing::LegacyHeaderValues;
using testing::LegacyLine;
using testing::LegacyParts;
using testing::LegacyParty;
using testing::LegacyPayment;
using testing::RenderedInvoice;
using Cells = std::map<std::string, std::string>;

// The text seal box as a probe cell reads it: up to its own first "</td>".
constexpr const char* kTextSealBoxCell = "<table HEIGHT=50 WIDTH=51 BORDER=0 ><tr><td>(인)";

const Renderer kLegacy = RenderLegacyInvoice;

void ExpectCells(const RenderedInvoice& rendered, const Cells& expected) {
    ASSERT_FALSE(rendered.page.empty());
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(rendered.Cell(name), value) << "cell " << name;
    }
}

RenderedInvoice Render(const LegacyParts& parts) {
    InvoiceFormRendering rendering;
    return rendering.Render(kLegacy, parts.Xml());
}

std::string DataType(std::string_view type) {
    return Element("ApplicationArea",
                   Element("Extension", Element("DataType", type) + Element("Stamp", "")));
}

TEST(LegacyInvoice, TemplateByDataTypeTypeCodeAndOwnNumber) {
    struct Case {
        const char* dataType;
        const char* typeCode;
        const char* supplierNumber;
        int expected;
    };
    const Case cases[] = {
        {"09", "01", "1358854321", 210},
        {"09", "02", "1111111111", 209},
        {"", "02", "1358854321", 190},
        {"", "2", "1111111111", 189},
        {"", "01", "1358854321", 141},
        {"", "01", "1111111111", 140},
        {"08", "002", "1358854321", 141},
        // A number written with dashes never equals the stored one.
        {"", "01", "135-88-54321", 140},
    };
    for (const Case& c : cases) {
        LegacyParts parts;
        parts.header = LegacyHeaderValues("", "20240430", c.typeCode);
        parts.supplier = LegacyParty("박", c.supplierNumber, "마바", "서비스", "유지", "부산");
        if (*c.dataType) parts.extensions = DataType(c.dataType);
        InvoiceFormRendering rendering;
        rendering.SetOwnNumber("1358854321");
        const RenderedInvoice rendered = rendering.Render(kLegacy, parts.Xml());
        EXPECT_EQ(rendered.templateId, c.expected)
            << c.dataType << " " << c.typeCode << " " << c.supplierNumber;
        // The supplier's copies are the matching templates.
        const bool supplierCopy = c.expected == 210 || c.expected == 190 || c.expected == 141;
        EXPECT_EQ(rendering.copy.lastCopy, supplierCopy ? 1 : 2);
    }
}

TEST(LegacyInvoice, PartiesHeaderAndTotals) {
    LegacyParts parts;
    parts.buyer = LegacyParty("  김가나 ", "1208812345678", " 가나상사", " 도소매 ", "사무용품 ",
                              "서울 중구");
    parts.summary = Element("Charge.Amount", "1500000") + Element("TotalTax.Amount", "150000") +
                    Element("Total.Amount", "1650000") + LegacyPayment("10", "1,000.5") +
                    LegacyPayment("20", "0") + LegacyPayment("2AA", "300") +
                    LegacyPayment("2aa", "999") + LegacyPayment("40", "777") +
                    LegacyPayment("30", "") + LegacyPayment("99", "");
    ExpectCells(Render(parts), {
                                   {"IMG", "1358854321"},
                                   {"등록번호P", "135-88-54321"},
                                   {"성명P", "박마바"},
                                   {"상호P", "마바정보통신"},
                                   {"업태P", "서비스"},
                                   {"종목P", "유지보수"},
                                   {"주소P", "부산 해운대구"},
                                   {"등록번호R", "120881-2345678"},
                                   {"성명R", "김가나"},
                                   {"상호R", "가나상사"},
                                   {"업태R", "도소매"},
                                   {"종목R", "사무용품"},
                                   {"작성년", "2024"},
                                   {"작성월", "04"},
                                   {"작성일", "30"},
                                   {"공란수", "4"},
                                   {"공1", "&nbsp;"},
                                   {"공4", "&nbsp;"},
                                   {"공5", "1"},
                                   {"공11", "0"},
                                   {"세5", "1"},
                                   {"세10", "0"},
                                   {"비고", "정기 점검"},
                                   {"합계금액", "1,650,000"},
                                   {"현금", "1,000"},
                                   {"수표", "&nbsp;"},
                                   {"어음", "300"},
                                   {"외상미수금", "&nbsp;"},
                                   {"영수청구", "청구"},
                                   {"권", "3"},
                                   {"호", "12"},
                                   {"일련번호", "000123"},
                                   {"공급받는자인장", "(인)"},
                               });
}

TEST(LegacyInvoice, RegistrationNumberCutsAndEmptyNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234567890", "123-45-67890"},
        {"1234567890123", "123456-7890123"},
        // Twelve characters: 3-2-5, which drops characters 6 and 7.
        {"123456789012", "123-45-89012"},
        {"", "&nbsp;"},
    };
    for (const auto& [number, shown] : cases) {
        LegacyParts parts;
        parts.supplier = LegacyParty("박", number, "마바", "서비스", "유지", "부산");
        parts.buyer = LegacyParty("김", number, "가나", "도소매", "사무", "서울");
        const RenderedInvoice rendered = Render(parts);
        EXPECT_EQ(rendered.Cell("등록번호P"), shown) << number;
        EXPECT_EQ(rendered.Cell("등록번호R"), shown) << number;
        EXPECT_EQ(rendered.Cell("IMG"), *number ? number : "0000000000");
    }
}

TEST(LegacyInvoice, PartyWithoutBusinessShowsBlankNamesAndBusiness) {
    LegacyParts parts;
    parts.supplier = LegacyParty("박마바", "1358854321", "", "", "", "부산", false);
    ExpectCells(Render(parts), {{"성명P", "&nbsp;"},
                                {"상호P", "&nbsp;"},
                                {"업태P", "&nbsp;"},
                                {"종목P", "&nbsp;"},
                                {"주소P", "부산"}});
}

TEST(LegacyInvoice, ReceiptOrClaimByIndicator) {
    const std::pair<const char*, const char*> cases[] = {
        {"01", "영수"}, {"", "영수"}, {"02", "청구"}, {"1", "청구"}, {"01 ", "청구"}};
    for (const auto& [indicator, shown] : cases) {
        LegacyParts parts;
        parts.header = LegacyHeaderValues("", "20240430", "01", indicator);
        EXPECT_EQ(Render(parts).Cell("영수청구"), shown) << "indicator '" << indicator << "'";
    }
}

TEST(LegacyInvoice, RemarksLoseEscapedLineBreaks) {
    LegacyParts parts;
    parts.header = LegacyHeaderValues("A\\nB\\\\nC");
    EXPECT_EQ(Render(parts).Cell("비고"), "AB\\C");
    parts.header = LegacyHeaderValues("");
    EXPECT_EQ(Render(parts).Cell("비고"), "&nbsp;");
}

TEST(LegacyInvoice, UpToFourLinesFillTheirOwnRows) {
    LegacyParts parts;
    parts.lines =
        LegacyLine("20240405", "볼트", "1234567", "123456", "1000", "1234.5", "M8", "abcdefghij") +
        // A 10-character date takes the issue date; an empty quantity still shows "&nbsp;".
        LegacyLine("2024-04-06", "너트", "", "", "", "", "", "") +
        // Empty date: the row is undated; its values show, its remark does not.
        LegacyLine("", "와셔", "5", "0", "3000", "", "", "remark") +
        LegacyLine("0407", "", "", "", "", "", "", "");
    parts.header = LegacyHeaderValues("", "2024043");  // 7 characters: no fallback
    ExpectCells(Render(parts), {
                                   {"월1", "04"},
                                   {"일1", "05"},
                                   {"품목1", "볼트"},
                                   {"규격1", "M8&nbsp;"},
                                   {"수량1", "1,000&nbsp;"},
                                   {"단가1", "1,234.5"},
                                   {"공급가액1", "1,234,567"},
                                   {"세액1", "123,456"},
                                   {"비고1", "abcd<br>efgh<br>ij"},
                                   {"월2", "&nbsp;"},
                                   {"품목2", "너트"},
                                   {"규격2", "&nbsp;"},
                                   {"수량2", "&nbsp;"},
                                   {"월3", "&nbsp;"},
                                   {"품목3", "와셔"},
                                   {"수량3", "3,000&nbsp;"},
                                   {"단가3", "&nbsp;"},
                                   {"공급가액3", "5"},
                                   {"비고3", "&nbsp;"},
                                   {"월4", "&nbsp;"},
                                   {"품목4", "&nbsp;"},
                                   {"세액4", "&nbsp;"},
                               });
    // With an 8-character issue date the dashed date of row 2 takes it; a dated row shows the
    // empty grouping of an empty quantity, followed by "&nbsp;".
    parts.header = LegacyHeaderValues("", "20240430");
    ExpectCells(Render(parts), {{"월2", "04"},
                                {"일2", "30"},
                                {"규격2", "&nbsp;"},
                                {"수량2", "&nbsp;"},
                                {"단가2", ""},
                                {"공급가액2", ""},
                                {"월3", "04"},
                                {"비고3", "rema<br>rk"}});
}

TEST(LegacyInvoice, MoreThanFourLinesAreSummarisedInRowOne) {
    LegacyParts parts;
    // Amounts written with thousands separators count as the number they show.
    parts.lines = LegacyLine("20240401", "첫째", "1,500", "150") +
                  LegacyLine("20240402", "둘째", "2500", "1,250.9") +
                  LegacyLine("20240403", "셋째", "1000", "100") +
                  LegacyLine("20240404", "넷째", "1000", "100") +
                  // Lines beyond the fourth need only their amount and tax.
                  Element("Line", Element("Item.Amount", "-500") + Element("Tax.Amount", "x"));
    ExpectCells(Render(parts), {
                                   {"월1", "04"},
                                   {"일1", "01"},
                                   {"품목1", "첫째 외 4건"},
                                   {"규격1", "&nbsp;"},
                                   {"수량1", "&nbsp;"},
                                   {"단가1", "&nbsp;"},
                                   {"비고1", "&nbsp;"},
                                   {"공급가액1", "5,500"},
                                   {"세액1", "1,600"},
                                   {"월2", "&nbsp;"},
                                   {"품목2", "&nbsp;"},
                                   {"공급가액2", "&nbsp;"},
                                   {"품목4", "&nbsp;"},
                                   {"세액4", "&nbsp;"},
                               });
}

TEST(LegacyInvoice, SerialNumberCellsTakeOneCharacterEach) {
    const std::pair<const char*, std::array<const char*, 6>> cases[] = {
        {"000123", {"0", "0", "0", "1", "2", "3"}},
        {"12", {"1", "2", "&nbsp;", "&nbsp;", "&nbsp;", "&nbsp;"}},
        {"1234567", {"1", "2", "3", "4", "5", "6"}},
        {"", {"&nbsp;", "&nbsp;", "&nbsp;", "&nbsp;", "&nbsp;", "&nbsp;"}},
    };
    for (const auto& [serial, shown] : cases) {
        LegacyParts parts;
        parts.header = LegacyHeaderValues("", "20240430", "01", "02", serial);
        const RenderedInvoice rendered = Render(parts);
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(rendered.Cell("일련번호" + std::to_string(k)), shown[k - 1])
                << serial << " cell " << k;
        }
    }
}

TEST(LegacyInvoice, QuotEntitiesBecomeQuotesBeforeParsing) {
    LegacyParts parts;
    parts.supplier = LegacyParty("박&quot;마바", "1358854321", "마바", "서비스", "유지", "부산");
    EXPECT_EQ(Render(parts).Cell("성명P"), "박\"마바");
    // Inside an attribute the quote ends it: the text no longer parses and the page is blank.
    InvoiceFormRendering rendering;
    const RenderedInvoice rendered = rendering.Render(
        kLegacy, ReplaceAll(parts.Xml(), "<TaxInvoice>", "<TaxInvoice a=\"&quot;\">"));
    EXPECT_EQ(rendered.Cell("성명P"), "&nbsp;");
}

TEST(LegacyInvoice, TextThatDoesNotParseGivesBlankCellsAndNoMessage) {
    InvoiceFormRendering rendering;
    const RenderedInvoice rendered = rendering.Render(kLegacy, "<TaxInvoice><Header>");
    // No number on either side: the empty own number equals the empty supplier number.
    EXPECT_EQ(rendered.templateId, 141);
    ExpectCells(rendered, {{"IMG", "0000000000"},
                           {"등록번호P", "&nbsp;"},
                           {"성명P", "&nbsp;"},
                           {"작성년", "&nbsp;"},
                           {"공11", "&nbsp;"},
                           {"품목1", "&nbsp;"},
                           {"합계금액", "0"},
                           {"영수청구", "영수"},
                           {"공급자인장", kTextSealBoxCell}});
    EXPECT_TRUE(rendering.ui.Events().empty());
}

TEST(LegacyInvoice, MissingRequiredElementsThrow) {
    const auto withoutElement = [](std::string text, std::string_view name) {
        const std::size_t open = text.find("<" + std::string(name) + ">");
        const std::size_t close = text.find("</" + std::string(name) + ">", open);
        return text.erase(open, close + name.size() + 3 - open);
    };
    const char* required[] = {
        "Blank.Number",       "Parties",      "Party.Identifier",        "Organization.Name",
        "Address.Line1.Text", "Total.Amount", "DomesticCurrency.Amount", "Item.Quantity",
        "Tax.Amount"};
    for (const char* name : required) {
        InvoiceFormRendering rendering;
        EXPECT_THROW(rendering.Render(kLegacy, withoutElement(LegacyParts().Xml(), name)),
                     XmlAccessError)
            << name;
    }
    // Past the fourth line only the amount and the tax are required.
    LegacyParts parts;
    for (int i = 0; i < 4; ++i) parts.lines += LegacyLine("20240401", "x", "1", "1");
    parts.lines += Element("Line", Element("Item.Amount", "1"));
    InvoiceFormRendering rendering;
    EXPECT_THROW(rendering.Render(kLegacy, parts.Xml()), XmlAccessError);
}

TEST(LegacyInvoice, SupplierSealIsWrittenBeforeTheFill) {
    struct Case {
        const char* stamp;
        bool fileWritten;
        std::string fileBytes;
        bool imageTag;
    };
    const Case cases[] = {
        {"YWJj", true, "abc", true},
        // No Base64 symbols: an empty file and the text seal box.
        {"!!!", true, "", false},
        // A seal whose first byte is NUL counts as empty.
        {"AGJj", true, std::string("\0bc", 3), false},
        {"", false, "", false},
    };
    for (const Case& c : cases) {
        LegacyParts parts;
        parts.extensions = Element("Extension", Element("Stamp", c.stamp));
        InvoiceFormRendering rendering;
        const RenderedInvoice rendered = rendering.Render(kLegacy, parts.Xml());
        const std::filesystem::path file = rendering.SealFile("zova_supplier.gif");
        ASSERT_EQ(std::filesystem::exists(file), c.fileWritten) << c.stamp;
        if (c.fileWritten) {
            EXPECT_EQ(testing::ReadBytes(file), c.fileBytes) << c.stamp;
        }
        const std::string expectedCell =
            c.imageTag ? "<IMG SRC='" + rendering.logFolder.string() +
                             "zova_supplier.gif' HEIGHT=50 WIDTH=51 BORDER=0 ALT='' "
                             "style='filter:alpha(opacity=90%)'>"
                       : kTextSealBoxCell;
        EXPECT_EQ(rendered.Cell("공급자인장"), expectedCell) << c.stamp;
        EXPECT_EQ(rendered.Cell("공급받는자인장"), "(인)");
    }
}

TEST(LegacyInvoice, DocumentValuesShowAsTextNotMarkup) {
    LegacyParts parts;
    // The document writes them with XML's own escapes.
    parts.supplier =
        LegacyParty("&lt;b&gt;박&lt;/b&gt;", "13'5\"8&amp;&lt;", "&lt;/table&gt;&lt;img src=x&gt;",
                    "a&amp;b", "&lt;i&gt;", "&lt;div style=\"position:absolute\"&gt;");
    parts.lines = LegacyLine("20240401", "&lt;script&gt;", "1", "1", "&lt;1&gt;", "2", "&amp;",
                             "&lt;br&gt;&lt;br&gt;");
    ExpectCells(Render(parts), {
                                   {"성명P", "&lt;b&gt;박&lt;/b&gt;"},
                                   {"상호P", "&lt;/table&gt;&lt;img src=x&gt;"},
                                   {"업태P", "a&amp;b"},
                                   {"종목P", "&lt;i&gt;"},
                                   {"주소P", "&lt;div style=\"position:absolute\"&gt;"},
                                   {"IMG", "13%275%228%26%3C"},
                                   {"등록번호P", "13'-5\"-5\"8&amp;&lt;"},
                                   {"품목1", "&lt;script&gt;"},
                                   {"규격1", "&amp;&nbsp;"},
                                   {"수량1", "&lt;1&gt;&nbsp;"},
                                   {"비고1", "&lt;br&gt;<br>&lt;br&gt;"},
                               });
}

}  // namespace
}  // namespace ledgra
