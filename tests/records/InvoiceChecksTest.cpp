#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "records/InvoiceChecks.h"
#include "records/RecordFields.h"

namespace ledgra {
namespace {

constexpr CalendarDate kToday{2024, 12, 31};

InvoiceLine Line(std::int64_t supply, std::int64_t tax) {
    InvoiceLine line;
    line.supplyAmount = supply;
    line.tax = tax;
    return line;
}

// A correct ordinary tax invoice, issued in time.
InvoiceRecord CorrectInvoice() {
    InvoiceRecord record;
    record.approvalNumber = "20240305-41000073-00000001";
    record.typeCode = "0101";
    record.purposeCode = "02";
    record.issueDate = CalendarDate{2024, 3, 5};
    record.supplier.registrationNumber = "138-86-02200";
    record.buyer.registrationNumber = "1448504244";
    record.supplyTotal = 100000;
    record.taxTotal = 10000;
    record.grandTotal = 110000;
    record.lines = {Line(100000, 10000)};
    return record;
}

void SetAmounts(InvoiceRecord& r, std::int64_t supply, std::int64_t tax) {
    r.supplyTotal = supply;
    r.taxTotal = tax;
    r.grandTotal = supply + tax;
    r.lines = {Line(supply, tax)};
}

// An amendment that takes back the whole invoice: every amount negative.
void MakeNegativeAmendment(InvoiceRecord& r) {
    r.typeCode = "0201";
    r.amendmentReasonCode = "04";
    r.originalApprovalNumber = "202403044100007300000001";
    SetAmounts(r, -220000, -22000);
}

using Change = std::function<void(InvoiceRecord&)>;

// The changes the rules' cases make, alone or several in turn.
Change All(std::vector<Change> changes) {
    return [=](InvoiceRecord& r) {
        for (const Change& change : changes) change(r);
    };
}
Change Amounts(std::int64_t supply, std::int64_t tax) {
    return [=](InvoiceRecord& r) { SetAmounts(r, supply, tax); };
}
Change Supplier(std::string number) {
    return [=](InvoiceRecord& r) { r.supplier.registrationNumber = number; };
}
Change Buyer(std::string number) {
    return [=](InvoiceRecord& r) { r.buyer.registrationNumber = number; };
}
Change Type(std::string code) {
    return [=](InvoiceRecord& r) { r.typeCode = code; };
}
Change Approval(std::string number) {
    return [=](InvoiceRecord& r) { r.approvalNumber = number; };
}
Change Lines(std::vector<InvoiceLine> lines) {
    return [=](InvoiceRecord& r) { r.lines = lines; };
}
Change Issued(CalendarDate date) {
    return [=](InvoiceRecord& r) { r.issueDate = date; };
}

struct RuleCase {
    const char* name;
    Change change;
    // "K01 오류", in rule order.
    std::vector<std::string> findings;
};

TEST(InvoiceChecks, EachRulePassesAndFails) {
    const RuleCase cases[] = {
        {"correct invoice", [](InvoiceRecord&) {}, {}},
        {"nothing to check", [](InvoiceRecord& r) { r = InvoiceRecord(); }, {}},
        {"K01 digit wrong", Supplier("1388602201"), {"K01 오류"}},
        {"K01 nine digits", Supplier("138860220"), {"K01 오류"}},
        {"K01 person's number", Supplier("8001011234567"), {"K01 오류"}},
        {"K02 person's number", Buyer("800101-1234567"), {}},
        {"K02 digit wrong", Buyer("1388504400"), {"K02 오류"}},
        {"K02 letters", Buyer("144850424X"), {"K02 오류"}},
        {"K03 and K04 over two lines", Lines({Line(60000, 6000), Line(40000, 4000)}), {}},
        {"K03 lines short", Lines({Line(90000, 10000)}), {"K03 오류"}},
        {"K03 line unreadable",
         [](InvoiceRecord& r) {
             r.lines[0].supplyAmount.reset();
             r.unreadable.push_back({std::string(field::kLineSupplyAmount), "1,2x", 1});
         },
         {"K03 오류"}},
        {"K04 lines short", Lines({Line(100000, 9000)}), {"K04 오류"}},
        {"K05 total off", [](InvoiceRecord& r) { r.grandTotal = 111000; }, {"K05 오류"}},
        {"K05 sum beyond range",
         All({Amounts(INT64_MAX, 0), [](InvoiceRecord& r) { r.taxTotal = INT64_MAX; }}),
         {"K04 오류", "K05 오류", "K06 경고"}},
        {"K06 a won of rounding", Amounts(100009, 10001), {}},
        {"K06 two won off", Amounts(100000, 10002), {"K06 경고"}},
        {"K06 not for invoices without tax", All({Type("0301"), Amounts(100000, 0)}), {}},
        {"amended negative invoice", MakeNegativeAmendment, {}},
        {"K06 amended negative, rounded down", All({MakeNegativeAmendment, Amounts(-15, -2)}), {}},
        {"K06 amended negative, tax short",
         All({MakeNegativeAmendment, Amounts(-220000, -21000)}),
         {"K06 경고"}},
        {"K07 zero rate without tax", All({Type("0102"), Amounts(100000, 0)}), {}},
        {"K07 zero rate with tax", Type("0102"), {"K07 오류"}},
        {"K07 amended invoice without tax, negative tax",
         All({MakeNegativeAmendment, Type("0401")}),
         {"K07 오류"}},
        {"K07 legacy form without tax",
         [](InvoiceRecord& r) {
             r.typeCode.reset();
             r.formTypeCode = "2";
         },
         {"K07 오류"}},
        {"K08 kind 07", Type("0107"), {"K08 오류"}},
        {"K08 class 05", Type("0501"), {"K08 오류"}},
        {"K08 purpose 03", [](InvoiceRecord& r) { r.purposeCode = "03"; }, {"K08 오류"}},
        {"K09 amendment without reason or original",
         All({MakeNegativeAmendment,
              [](InvoiceRecord& r) {
                  r.amendmentReasonCode.reset();
                  r.originalApprovalNumber.reset();
              }}),
         {"K09 오류", "K09 경고"}},
        {"K09 reason 07",
         All({MakeNegativeAmendment, [](InvoiceRecord& r) { r.amendmentReasonCode = "07"; }}),
         {"K09 오류"}},
        {"K10 consignment with broker",
         All({Type("0103"), [](InvoiceRecord& r) { r.broker = InvoiceParty(); }}),
         {}},
        {"K10 consignment without broker", Type("0105"), {"K07 오류", "K10 오류"}},
        {"K11 unreadable date",
         [](InvoiceRecord& r) {
             r.issueDate.reset();
             r.unreadable.push_back({std::string(field::kIssueDate), "20240230", std::nullopt});
         },
         {"K11 오류"}},
        {"K11 today", Issued(kToday), {}},
        {"K11 after today", Issued({2025, 1, 1}), {"K11 경고"}},
        {"K12 23 digits", Approval("20240305410000730000001"), {"K12 경고"}},
        {"K12 no date", Approval("202413054100007300000001"), {"K12 경고"}},
        {"K13 on the 10th", Approval("202404104100007300000001"), {}},
        {"K13 on the 11th", Approval("202404114100007300000001"), {"K13 경고"}},
        {"K13 over the new year",
         All({Issued({2023, 12, 20}), Approval("202401104100007300000001")}),
         {}},
        {"K13 late over the new year",
         All({Issued({2023, 12, 20}), Approval("202401114100007300000001")}),
         {"K13 경고"}},
    };
    for (const RuleCase& c : cases) {
        InvoiceRecord record = CorrectInvoice();
        c.change(record);
        std::vector<std::string> found;
        for (const Finding& finding : CheckInvoice(record, kToday)) {
            found.push_back(finding.rule + " " + std::string(SeverityName(finding.severity)));
        }
        EXPECT_EQ(found, c.findings) << c.name;
    }
}

TEST(InvoiceChecks, MessagesNameTheValues) {
    InvoiceRecord record = CorrectInvoice();
    MakeNegativeAmendment(record);
    record.grandTotal = -1242000;
    record.buyer.registrationNumber = "138-85-04400";
    const std::vector<Finding> findings = CheckInvoice(record, kToday);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].field, "공급받는자 등록번호");
    EXPECT_EQ(findings[0].message, "공급받는자 등록번호 '138-85-04400': 검증번호가 맞지 않습니다.");
    EXPECT_EQ(findings[1].field, "합계");
    EXPECT_EQ(findings[1].message,
              "공급가액 -220,000원 + 세액 -22,000원 = -242,000원: 합계 -1,242,000원과 다릅니다.");
}

TEST(InvoiceChecks, TheLaterDocumentOfASameNumberPairIsFound) {
    ApprovalNumberSet set;
    InvoiceRecord record = CorrectInvoice();
    EXPECT_FALSE(set.Add(record, "a.xml"));
    EXPECT_FALSE(set.Add(InvoiceRecord(), "no number.tsn"));
    record.approvalNumber = "202403054100007300000001";  // the same, written without dashes
    const std::optional<Finding> again = set.Add(record, "b.xml");
    ASSERT_TRUE(again);
    EXPECT_EQ(again->rule, "K14");
    EXPECT_EQ(again->severity, Severity::Warning);
    EXPECT_EQ(again->message,
              "승인번호 '202403054100007300000001': 같은 묶음의 'a.xml'에도 있습니다.");
}

}  // namespace
}  // namespace ledgra
