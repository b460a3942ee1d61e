#include <gtest/gtest.h>

#include <filesystem>

#include "render/KeyValueInvoice.h"
#include "tests/render/RenderingTestSupport.h"
#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::InvoiceFormRendering;
using testing::RenderedInvoice;
using Cells = std::map<std::string, std::string>;

const Renderer kKeyValue = RenderKeyValueInvoice;
// The text seal box as a probe cell reads it: up to its own first "</td>".
constexpr const char* kTextSealBoxCell = "<table HEIGHT=50 WIDTH=51 BORDER=0 ><tr><td>(인)";

// A key-value invoice (UTF-8) with plausible defaults; tests replace the parts they are about.
struct KeyValueParts {
    std::string header =
        "<세금계산서 증서구분=\"01\" 작성일=\"20240520\" 책권=\"1\" 책호=\"5\" "
        "전표번호1=\"000045\" 공란수=\"5\" 비고=\"5월분 납품\">\n";
    std::string supplier =
        "<공급자 등록번호=\"2148867890\" 회사명=\"다라물산\" 대표자=\"이다라\" 업태=\"제조\" "
        "종목=\"전자부품\" 사업장소재지=\"경기도 성남시\"/>\n";
    std::string buyer =
        "<공급받는자 등록번호=\"1208812345\" 회사명=\" 가나상사 \" 대표자=\"김가나\" "
        "업태=\"도소매\" 종목=\"사무용품\" 사업장소재지=\"서울 중구\"/>\n";
    std::string payment =
        "<결제정보 공급가액=\"880000\" 세액=\"88000\" 합계금액=\"968000\" 현금=\"0\" 수표=\"\" "
        "어음=\"968000\" 외상미수금=\"1,000.5\"/>\n";
    std::string items =
        "<상품1 월일=\"0517\" 품목=\"케이블\" 규격=\"1m\" 수량=\"2000\" 단가=\"2500.5\" "
        "공급가액=\"500000\" 세액=\"50000\" 비고=\"묶음포장해서\"/>\n";
    std::string seals = "<인감 공급받는자=\"\" 공급자=\"\"/>\n";

    std::string Text() const {
        return header + supplier + buyer + payment + items + seals + "</세금계산서>\n";
    }
};

void ExpectCells(const RenderedInvoice& rendered, const Cells& expected) {
    ASSERT_FALSE(rendered.page.empty());
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(rendered.Cell(name), value) << "cell " << name;
    }
}

RenderedInvoice Render(const KeyValueParts& parts) {
    InvoiceFormRendering rendering;
    return rendering.Render(kKeyValue, parts.Text());
}

TEST(KeyValueInvoice, FillsTheFormFromTheSections) {
    ExpectCells(Render(KeyValueParts()), {
                                             {"IMG", "2148867890"},
                                             {"등록번호P", "214-88-67890"},
                                             {"성명P", "이다라"},
                                             {"상호P", "다라물산"},
                                             {"업태P", "제조"},
                                             {"종목P", "전자부품"},
                                             {"주소P", "경기도 성남시"},
                                             {"등록번호R", "120-88-12345"},
                                             {"상호R", "가나상사"},
                                             {"작성년", "2024"},
                                             {"작성월", "05"},
                                             {"작성일", "20"},
                                             {"공란수", "5"},
                                             {"공6", "8"},
                                             {"세6", "8"},
                                             {"비고", "5월분 납품"},
                                             {"월1", "05"},
                                             {"일1", "17"},
                                             {"품목1", "케이블"},
                                             {"규격1", "1m"},
                                             {"수량1", "2,000"},
                                             {"단가1", "2,500.5"},
                                             {"공급가액1", "500,000"},
                                             {"세액1", "50,000"},
                                             {"비고1", "묶음<br>포장<br>해서"},
                                             {"품목2", "&nbsp;"},
                                             {"합계금액", "968,000"},
                                             {"현금", "&nbsp;"},
                                             {"수표", "&nbsp;"},
                                             {"어음", "968,000"},
                                             {"외상미수금", "1,000"},
                                             {"영수청구", "청구"},
                                             {"권", "1"},
                                             {"호", "5"},
                                             {"일련번호", "000045"},
                                             {"일련번호4", "0"},
                                             {"일련번호6", "5"},
                                         });
}

TEST(KeyValueInvoice, TemplateByTypeCodeTaxAndOwnNumber) {
    struct Case {
        const char* typeCode;
        const char* tax;
        const char* ownNumber;
        int expected;
    };
    const Case cases[] = {
        {"01", "88000", "2148867890", 141},
        {"01", "88000", "1111111111", 140},
        {"02", "88000", "2148867890", 190},
        {"2", "88000", "1111111111", 189},
        // No tax makes an invoice without tax whatever the type code.
        {"01", "", "2148867890", 190},
        {"09", "0", "2148867890", 141},
    };
    for (const Case& c : cases) {
        KeyValueParts parts;
        parts.header = std::string("<세금계산서 증서구분=\"") + c.typeCode + "\">";
        parts.payment = std::string("<결제정보 공급가액=\"1\" 세액=\"") + c.tax + "\"/>";
        InvoiceFormRendering rendering;
        rendering.SetOwnNumber(c.ownNumber);
        EXPECT_EQ(rendering.Render(kKeyValue, parts.Text()).templateId, c.expected)
            << c.typeCode << " tax '" << c.tax << "' own " << c.ownNumber;
    }
}

TEST(KeyValueInvoice, SplitFieldsBlankWhenTheirFirstPartIsMissing) {
    KeyValueParts parts;
    // No 대표자 and no 업태 after the supplier's marker: both name cells are blank, and the
    // buyer's 업태 is found instead, since a key is searched from the marker to the end.
    parts.supplier = "<공급자 등록번호=\"2148867890\" 회사명=\"다라물산\" 종목=\"전자부품\"/>\n";
    parts.buyer = "<공급받는자 회사명=\"가나\" 업태=\" 도소매 \" 종목=\"  \"/>\n";
    ExpectCells(Render(parts), {{"성명P", "&nbsp;"},
                                {"상호P", "&nbsp;"},
                                {"업태P", "도소매"},
                                {"종목P", "전자부품"},
                                {"성명R", "&nbsp;"},
                                {"상호R", "&nbsp;"},
                                {"업태R", "도소매"},
                                {"종목R", "&nbsp;"}});

    // The buyer's 대표자 is the first after the supplier's marker too; a blank one is not an
    // empty one, so the company shows (the supplier's parts as they are, the buyer's trimmed).
    parts.buyer = "<공급받는자 대표자=\" \" 회사명=\"가나\"/>\n";
    ExpectCells(Render(parts),
                {{"성명P", " "}, {"상호P", "다라물산"}, {"성명R", "&nbsp;"}, {"상호R", "가나"}});
}

TEST(KeyValueInvoice, RowDatesAndBlankRows) {
    const std::pair<const char*, std::array<const char*, 3>> cases[] = {
        {"0517", {"05", "17", "케이블"}},
        {"20240517", {"05", "17", "케이블"}},
        {"2024-05-17", {"&nbsp;", "&nbsp;", "&nbsp;"}},
        {"517", {"&nbsp;", "&nbsp;", "&nbsp;"}},
        {"", {"&nbsp;", "&nbsp;", "&nbsp;"}},
    };
    for (const auto& [date, shown] : cases) {
        KeyValueParts parts;
        parts.items = std::string("<상품1 월일=\"") + date +
                      "\" 품목=\"케이블\" 규격=\"1m\" 수량=\"2\" 비고=\"x\"/>";
        const RenderedInvoice rendered = Render(parts);
        EXPECT_EQ(rendered.Cell("월1"), shown[0]) << date;
        EXPECT_EQ(rendered.Cell("일1"), shown[1]) << date;
        EXPECT_EQ(rendered.Cell("품목1"), shown[2]) << date;
        if (*shown[0] == '&') {
            EXPECT_EQ(rendered.Cell("규격1"), "&nbsp;") << date;
        }
    }
}

TEST(KeyValueInvoice, FourItemsAtMostAndEmptyCellsBlank) {
    KeyValueParts parts;
    parts.items.clear();
    for (int n = 1; n <= 5; ++n) {
        parts.items += "<상품" + std::to_string(n) + " 월일=\"050" + std::to_string(n) +
                       "\" 품목=\"품" + std::to_string(n) + "\" 공급가액=\"" +
                       std::to_string(n * 100) + "\" 세액=\"\" 비고=\"\"/>\n";
    }
    const RenderedInvoice rendered = Render(parts);
    ExpectCells(rendered, {{"품목1", "품1"},
                           {"공급가액1", "100"},
                           {"세액1", "&nbsp;"},
                           {"규격1", "&nbsp;"},
                           {"비고1", "&nbsp;"},
                           {"품목4", "품4"},
                           {"일4", "04"},
                           {"공급가액4", "400"}});
    // The fifth item changes nothing: the same page as without it.
    KeyValueParts four = parts;
    four.items = four.items.substr(0, four.items.find("<상품5"));
    EXPECT_EQ(Render(four).page, rendered.page);
}

TEST(KeyValueInvoice, RemarksTotalsAndNumbersFollowTheirOwnRules) {
    KeyValueParts parts;
    // No 비고 in the header: the first item's remark is found; nothing is removed from it.
    parts.header = "<세금계산서 증서구분=\"01\">";
    parts.items = "<상품1 월일=\"0517\" 비고=\"A\\nB\"/>";
    parts.supplier = "<공급자 등록번호=\"1234567890123\" 대표자=\"a\" 회사명=\"b\"/>";
    parts.payment = "<결제정보 세액=\"1\" 합계금액=\"0\"/>";
    ExpectCells(Render(parts), {{"비고", "A\\nB"},
                                {"등록번호P", "123-45-90123"},
                                {"IMG", "1234567890123"},
                                {"합계금액", "&nbsp;"},
                                {"영수청구", "청구"}});
}

TEST(KeyValueInvoice, SealsOfBothPartiesAreWrittenBeforeTheTemplateIsChosen) {
    struct Case {
        const char* seals;
        const char* buyerFile;  // nullptr: not written
        const char* supplierFile;
        bool buyerImage;
        bool supplierImage;
    };
    const Case cases[] = {
        {"<인감 공급받는자=\"YWJj\" 공급자=\"ZGVm\"/>", "abc", "def", true, true},
        {"<인감 공급받는자=\"\" 공급자=\"!!\"/>", nullptr, "", false, false},
        {"", nullptr, nullptr, false, false},
    };
    for (const Case& c : cases) {
        KeyValueParts parts;
        parts.seals = c.seals;
        // The other copy before any page: no template, but the seals are written all the same.
        InvoiceFormRendering rendering;
        rendering.copy.otherCopy = true;
        EXPECT_TRUE(rendering.Render(kKeyValue, parts.Text()).page.empty());
        const auto expectFile = [&](const char* name, const char* bytes) {
            const std::filesystem::path file = rendering.SealFile(name);
            ASSERT_EQ(std::filesystem::exists(file), bytes != nullptr) << c.seals << " " << name;
            if (bytes) {
                EXPECT_EQ(testing::ReadBytes(file), bytes) << c.seals;
            }
        };
        expectFile("zova_buyer.gif", c.buyerFile);
        expectFile("zova_supplier.gif", c.supplierFile);

        rendering.copy.otherCopy = false;
        const RenderedInvoice rendered = rendering.Render(kKeyValue, parts.Text());
        const std::string folder = rendering.logFolder.string();
        EXPECT_EQ(rendered.Cell("공급받는자인장"),
                  c.buyerImage ? "<IMG SRC='" + folder +
                                     "zova_buyer.gif' HEIGHT=32 WIDTH=32 BORDER=0 ALT='' "
                                     "style='filter:alpha(opacity=90%)'>"
                               : "(인)");
        EXPECT_EQ(rendered.Cell("공급자인장"),
                  c.supplierImage ? "<IMG SRC='" + folder +
                                        "zova_supplier.gif' HEIGHT=50 WIDTH=51 BORDER=0 ALT='' "
                                        "style='filter:alpha(opacity=90%)'>"
                                  : kTextSealBoxCell);
    }
}

}  // namespace
}  // namespace ledgra
