#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "render/StandardInvoiceRecord.h"
#include "render/XmlDocument.h"
#include "tests/render/RenderingTestSupport.h"
#include "tests/render/StandardInvoiceTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

using testing::Element;
using testing::InvoiceParts;
using testing::InvoiceRendering;
using testing::Item;
using testing::PartyBody;
using testing::RenderedInvoice;

using Cells = std::map<std::string, std::string>;

// Checks the named cells and says which one differs.
void ExpectCells(const RenderedInvoice& rendered, const Cells& expected) {
    ASSERT_FALSE(rendered.page.empty());
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(rendered.Cell(name), value) << "cell " << name;
    }
}

RenderedInvoice Render(const InvoiceParts& parts) {
    InvoiceRendering rendering;
    return rendering.Render(parts.Xml());
}

std::string Document(std::string_view typeCode, std::string_view issueDate) {
    return Element("IssueID", "A-1") + Element("TypeCode", typeCode) +
           Element("IssueDateTime", issueDate) + Element("PurposeCode", "01");
}

TEST(StandardInvoiceFill, TitleFollowsTheFirstTwoCharactersOfTheTypeCode) {
    const std::pair<const char*, const char*> cases[] = {
        {"0101", "전 자 세 금 계 산 서"},
        {"0102", "전 자 세 금 계 산 서"},
        {"0201", "전 자 수 정 세 금 계 산 서"},
        {"0301", "전 자 계 산 서"},
        {"0401", "전 자 수 정 계 산 서"},
        {"0501", "전 자 취 소 세 금 계 산 서"},
        {"0601", "전 자 취 소 계 산 서"},
        {"0701", "0701"},
        {"1", "1"},
        {"", "&nbsp;"},
    };
    for (const auto& [typeCode, title] : cases) {
        InvoiceParts parts;
        parts.document = Document(typeCode, "20240305");
        EXPECT_EQ(Render(parts).Cell("제목"), title) << "type code " << typeCode;
    }
}

TEST(StandardInvoiceFill, IssueDateNeedsExactlyEightCharacters) {
    struct Case {
        const char* date;
        const char* year;
        const char* month;
        const char* day;
    };
    const Case cases[] = {
        {"20240305", "2024", "03", "05"},
        {"2024-03-05", "&nbsp;", "&nbsp;", "&nbsp;"},
        {"20240305090000", "&nbsp;", "&nbsp;", "&nbsp;"},
        {"", "&nbsp;", "&nbsp;", "&nbsp;"},
    };
    for (const Case& c : cases) {
        InvoiceParts parts;
        parts.document = Document("0101", c.date);
        SCOPED_TRACE(c.date);
        ExpectCells(Render(parts), {{"작성년", c.year}, {"작성월", c.month}, {"작성일", c.day}});
    }
}

TEST(StandardInvoiceFill, PartiesAndTotals) {
    InvoiceParts parts;
    parts.supplier += Element("SpecifiedOrganization", Element("TaxRegistrationID", "0001"));
    parts.buyer = PartyBody("1234567890123", "누리물산", "이구매", "", "도소매", "잡화");
    parts.summation = Element("ChargeTotalAmount", "1234567") +
                      Element("TaxTotalAmount", "123456789012") +
                      Element("GrandTotalAmount", "1358023");
    ExpectCells(Render(parts), {
                                   {"IMG", "1234567890"},
                                   {"등록번호P", "123-45-67890"},
                                   {"상호P", "한빛상사"},
                                   {"성명P", "김공급"},
                                   {"주소P", "서울 중구 세종대로 1"},
                                   {"종사업장번호P", "0001"},
                                   {"업태P", "제조"},
                                   {"종목P", "전자부품"},
                                   {"등록번호R", "123456-7890123"},
                                   {"주소R", "&nbsp;"},
                                   {"종사업장번호R", "&nbsp;"},
                                   {"공1", "&nbsp;"},
                                   {"공5", "&nbsp;"},
                                   {"공6", "1"},
                                   {"공12", "7"},
                                   // Longer than its 11 cells: the last eleven digits.
                                   {"세1", "2"},
                                   {"세11", "2"},
                                   {"합계금액", "1,358,023"},
                                   {"영수청구", "청구"},
                                   {"승인번호", "20240305-41000073-0001"},
                                   {"공급받는자인장", "(인)"},
                                   {"공급자인장", "(인)"},
                               });
}

TEST(StandardInvoiceFill, EmptyValuesShowAsNonBreakingSpaces) {
    InvoiceParts parts;
    parts.document = Element("IssueID", "") + Element("TypeCode", "0101") +
                     Element("IssueDateTime", "20240305") + Element("PurposeCode", "");
    parts.supplier = PartyBody("", "", "", "", "", "");
    parts.buyer = PartyBody("", "", "", "", "", "");
    ExpectCells(Render(parts), {
                                   {"IMG", "0000000000"},
                                   {"등록번호P", "&nbsp;"},
                                   {"상호P", "&nbsp;"},
                                   {"종목P", "&nbsp;"},
                                   {"등록번호R", "&nbsp;"},
                                   {"성명R", "&nbsp;"},
                                   {"승인번호", "&nbsp;"},
                                   {"수정사유", "&nbsp;"},
                                   {"비고", "&nbsp;"},
                               });
}

TEST(StandardInvoiceFill, GrandTotalZeroOrEmptyShowsZero) {
    const std::pair<const char*, const char*> cases[] = {
        {"0", "0"}, {"", "0"}, {"-242000", "-242,000"}, {"1234.99", "1,234"}, {"n/a", "&nbsp;"}};
    for (const auto& [total, shown] : cases) {
        InvoiceParts parts;
        parts.summation = Element("ChargeTotalAmount", "0") + Element("TaxTotalAmount", "0") +
                          Element("GrandTotalAmount", total);
        EXPECT_EQ(Render(parts).Cell("합계금액"), shown) << "grand total " << total;
    }
}

std::string Payment(std::string_view code, std::string_view amount) {
    return Element("SpecifiedPaymentMeans",
                   Element("TypeCode", code) + Element("PaidAmount", amount));
}

TEST(StandardInvoiceFill, PaymentsGoToTheCellsOfTheirCodes) {
    InvoiceParts parts;
    parts.payments = Payment("10", "50000") + Payment("30", "60000");
    ExpectCells(
        Render(parts),
        {{"현금", "50,000"}, {"수표", "&nbsp;"}, {"어음", "60,000"}, {"외상미수금", "&nbsp;"}});

    // Four slots only; an unknown code places nothing; a zero amount still has its code.
    parts.payments = Payment("99", "1") + Payment("20", "0") + Payment("40", "-242000") +
                     Payment("10", "7") + Payment("30", "8");
    ExpectCells(Render(parts),
                {{"현금", "7"}, {"수표", "0"}, {"어음", "&nbsp;"}, {"외상미수금", "-242,000"}});
}

TEST(StandardInvoiceFill, DescriptionsAreTheFirstTwoOfTheWholeDocument) {
    InvoiceParts parts;
    // No description on the invoice document: the item remarks are found all the same.
    parts.items = Item("20240305", "볼트", "1", "0", Element("DescriptionText", "첫째")) +
                  Item("20240306", "너트", "1", "0",
                       Element("DescriptionText", "둘째") + Element("DescriptionText", "셋째"));
    ExpectCells(Render(parts), {{"수정사유", "첫째"}, {"비고", "둘째"}, {"비고2", "셋째"}});
}

TEST(StandardInvoiceFill, BrokerLinesFollowTheSecondDescription) {
    InvoiceParts parts;
    parts.document += Element("DescriptionText", "사유") + Element("DescriptionText", "참고");
    parts.brokers =
        Element("BrokerParty",
                PartyBody("1112233333", "중개소", "박중개", "주소", "서비스", "중개")) +
        Element("BrokerParty", Element("ID", "444") + Element("NameText", "둘") +
                                   Element("SpecifiedPerson", Element("NameText", "최")));
    ExpectCells(Render(parts), {{"수정사유", "사유"},
                                {"비고",
                                 "참고사업자번호:1112233333상호:중개소대표자:박중개"
                                 "사업자번호:444상호:둘대표자:최"}});
}

TEST(StandardInvoiceFill, LaterPartiesAndItemValuesReplaceEarlierOnes) {
    InvoiceParts parts;
    parts.supplier += Element("SpecifiedOrganization", Element("TaxRegistrationID", "0001")) +
                      Element("SpecifiedOrganization", Element("TaxRegistrationID", "0002"));
    parts.items = Item("20240305", "첫이름", "1", "0", Element("NameText", "끝이름"));
    ExpectCells(Render(parts), {{"종사업장번호P", "0002"}, {"품목1", "끝이름&nbsp;"}});
}

TEST(StandardInvoiceFill, UpToFourItemsFillTheirOwnRows) {
    InvoiceParts parts;
    parts.items =
        Item("20240305", "볼트", "1234567", "123456",
             Element("InformationText", "M8") + Element("ChargeableUnitQuantity", "1000") +
                 Element("UnitPrice", Element("UnitAmount", "1234.5")) +
                 Element("DescriptionText", "abcdefghij")) +
        // A date that is not 8 characters leaves the row blank: no date and no remark, but its
        // other values still show.
        Item("2024-03-06", "너트", "", "", Element("DescriptionText", "remark")) +
        // A dated row shows its empty values as empty cells.
        Item("20240307", "", "", "") + Item("20240308", "와셔", "5", "0");
    ExpectCells(Render(parts), {
                                   {"월1", "03"},
                                   {"일1", "05"},
                                   {"품목1", "볼트&nbsp;"},
                                   {"규격1", "M8&nbsp;"},
                                   {"수량1", "1,000&nbsp;"},
                                   {"단가1", "1,234.5"},
                                   {"공급가액1", "1,234,567"},
                                   {"세액1", "123,456"},
                                   {"비고1", "abcd<br>efgh<br>ij"},
                                   {"월2", "&nbsp;"},
                                   {"일2", "&nbsp;"},
                                   {"품목2", "너트&nbsp;"},
                                   {"규격2", "&nbsp;"},
                                   {"수량2", "&nbsp;"},
                                   {"공급가액2", "&nbsp;"},
                                   {"비고2", "&nbsp;"},
                                   {"월3", "03"},
                                   {"품목3", "&nbsp;"},
                                   {"수량3", "&nbsp;"},
                                   {"단가3", "&nbsp;"},
                                   {"공급가액3", "&nbsp;"},
                                   {"세액3", "&nbsp;"},
                                   {"월4", "03"},
                                   {"일4", "08"},
                                   {"품목4", "와셔&nbsp;"},
                                   {"공급가액4", "5"},
                                   {"비고4", "&nbsp;"},
                               });
}

TEST(StandardInvoiceFill, RemarkBreaksBeforeEveryFourthByte) {
    // Code page 949 gives every Korean character two bytes; a character that straddles a
    // break is cut, and its halves read back as "?".
    const std::pair<const char*, const char*> cases[] = {
        {"abcdefghij", "abcd<br>efgh<br>ij"},
        {"abcd", "abcd"},
        {"월말정산", "월말<br>정산"},
        {"월말 정산", "월말<br> 정?<br>?"},
    };
    for (const auto& [remark, shown] : cases) {
        InvoiceParts parts;
        parts.items = Item("20240305", "볼트", "1", "0", Element("DescriptionText", remark));
        EXPECT_EQ(Render(parts).Cell("비고1"), shown) << remark;
    }
}

TEST(StandardInvoiceFill, MoreThanFourItemsAreSummarised) {
    InvoiceParts parts;
    parts.items = Item("20240305", "첫째", "100", "10", Element("InformationText", "규격")) +
                  Item("20240306", "둘째", "200", "20") + Item("20240307", "셋째", "300", "30") +
                  Item("20240308", "넷째", "400", "40") + Item("20240309", "다섯째", "500", "50") +
                  Item("20240310", "여섯째", "600", "60");
    ExpectCells(Render(parts), {
                                   {"월1", "03"},
                                   {"일1", "05"},
                                   {"품목1", "첫째 외 5건"},
                                   {"규격1", "&nbsp;"},
                                   {"수량1", "&nbsp;"},
                                   {"단가1", "&nbsp;"},
                                   {"비고1", "&nbsp;"},
                                   {"공급가액1", "2,100"},
                                   {"세액1", "210"},
                                   {"월2", "&nbsp;"},
                                   {"일2", "&nbsp;"},
                                   {"품목2", "둘째 외 5건"},
                                   {"공급가액2", "2,100"},
                                   {"세액2", "210"},
                                   {"품목4", "넷째 외 5건"},
                                   {"공급가액4", "2,100"},
                                   {"세액4", "210"},
                               });
}

TEST(StandardInvoiceFill, SummaryRowsWithEmptyValues) {
    InvoiceParts parts;
    parts.items = Item("2024-03-05", "", "", "") + Item("20240306", "", "", "");
    for (int i = 0; i < 3; ++i) parts.items += Item("20240307", "기타", "5", "1");
    // Row 1 always names its item and the count; other rows only when they have a name.
    ExpectCells(Render(parts), {{"월1", "&nbsp;"},
                                {"품목1", " 외 4건"},
                                {"공급가액1", "&nbsp;"},
                                {"세액1", "&nbsp;"},
                                {"품목2", "&nbsp;"},
                                {"공급가액2", "&nbsp;"},
                                {"품목3", "기타 외 4건"},
                                {"공급가액3", "15"},
                                {"세액3", "3"}});
}

TEST(StandardInvoiceFill, SummarySumsReadThousandsSeparators) {
    InvoiceParts parts;
    parts.items.clear();
    for (const char* amount : {"1,500", "2,500.7", "1000", "1000", "-500"}) {
        parts.items += Item("20240305", "x", amount, "1,000");
    }
    ExpectCells(Render(parts), {{"공급가액1", "5,500"}, {"세액1", "5,000"}});
}

TEST(StandardInvoiceFill, DocumentValuesShowAsTextNotMarkup) {
    InvoiceParts parts;
    // The document writes them with XML's own escapes.
    parts.document = Element("IssueID", "&lt;b&gt;1") + Element("TypeCode", "&lt;i&gt;") +
                     Element("IssueDateTime", "&lt;&lt;&lt;&lt;&amp;&amp;&gt;&gt;") +
                     Element("PurposeCode", "01") + Element("DescriptionText", "a&amp;b") +
                     Element("DescriptionText", "&lt;/table&gt;");
    parts.supplier = PartyBody("12'3\"4&lt;5", "&lt;/table&gt;&lt;img src=x&gt;", "&lt;b&gt;",
                               "&lt;div style=\"position:absolute\"&gt;", "&amp;", "x");
    parts.buyer = PartyBody("&lt;1&gt;", "b", "c", "d", "e", "f");
    parts.items = Item("20240305", "&lt;script&gt;", "1", "1",
                       Element("InformationText", "&lt;u&gt;") +
                           Element("ChargeableUnitQuantity", "&lt;1&gt;") +
                           Element("DescriptionText", "&lt;br&gt;&lt;br&gt;"));
    ExpectCells(Render(parts), {
                                   {"제목", "&lt;i&gt;"},
                                   {"승인번호", "&lt;b&gt;1"},
                                   {"작성년", "&lt;&lt;&lt;&lt;"},
                                   {"작성월", "&amp;&amp;"},
                                   {"작성일", "&gt;&gt;"},
                                   {"수정사유", "a&amp;b"},
                                   {"IMG", "12%273%224%3C5"},
                                   {"등록번호P", "12'-3\"-3\"4&lt;5"},
                                   {"상호P", "&lt;/table&gt;&lt;img src=x&gt;"},
                                   {"성명P", "&lt;b&gt;"},
                                   {"주소P", "&lt;div style=\"position:absolute\"&gt;"},
                                   {"업태P", "&amp;"},
                                   {"등록번호R", "&lt;1&gt;--&lt;1&gt;"},
                                   {"품목1", "&lt;script&gt;&nbsp;"},
                                   {"규격1", "&lt;u&gt;&nbsp;"},
                                   {"수량1", "&lt;1&gt;&nbsp;"},
                                   {"비고1", "&lt;br&gt;<br>&lt;br&gt;"},
                               });
}

TEST(StandardInvoiceFill, ItemSumsGoBeyondThirtyTwoBits) {
    InvoiceParts parts;
    parts.items.clear();
    for (int i = 0; i < 5; ++i) {
        parts.items += Item("20240305", "설비", "1000000000", " -500000000원");
    }
    ExpectCells(Render(parts), {{"공급가액1", "5,000,000,000"}, {"세액1", "-2,500,000,000"}});

    // Sums that would pass even 64 bits stop at the end of the range instead of wrapping.
    parts.items.clear();
    for (int i = 0; i < 5; ++i) {
        parts.items += Item("20240305", "x", "9999999999999999999", "-9999999999999999999");
    }
    XmlDocument document;
    ASSERT_TRUE(document.LoadXmlText(Cp949FromUtf8(parts.Xml())));
    const StandardInvoiceRecord record = ReadStandardInvoice(document);
    EXPECT_EQ(record.itemCount, 5);
    EXPECT_EQ(record.supplySum, std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(record.taxSum, std::numeric_limits<std::int64_t>::min());
}

}  // namespace
}  // namespace ledgra
