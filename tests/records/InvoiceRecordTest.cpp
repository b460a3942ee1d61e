#include <gtest/gtest.h>

#include <filesystem>

#include "records/InvoiceChecks.h"
#include "records/InvoiceCodes.h"
#include "records/ReadInvoiceRecord.h"
#include "records/RecordValues.h"
#include "tests/support/SharedSamples.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

std::string Element(std::string_view name, std::string_view text) {
    return "<" + std::string(name) + ">" + std::string(text) + "</" + std::string(name) + ">";
}

std::string Party(std::string_view tag, std::string_view id, std::string_view more = "") {
    return Element(
        tag, Element("ID", id) + Element("TypeCode", "제조") + Element("NameText", "한빛상사") +
                 Element("ClassificationCode", "부품") +
                 Element("SpecifiedPerson", Element("NameText", "김공급")) +
                 Element("SpecifiedAddress", Element("LineOneText", "서울")) + std::string(more));
}

std::string StandardItem(std::string_view amount, std::string_view tax) {
    return Element("TaxInvoiceTradeLineItem",
                   Element("PurchaseExpiryDateTime", "20240305") + Element("NameText", "볼트") +
                       Element("InvoiceAmount", amount) +
                       Element("TotalTax", Element("CalculatedAmount", tax)));
}

// An amended consignment invoice with five lines, its supply total unreadable.
std::string StandardInvoice() {
    std::string items;
    for (int i = 0; i < 5; ++i) items += StandardItem("-20,000", "-2000");
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><TaxInvoice xmlns=\"urn:x\">" +
           Element("TaxInvoiceDocument",
                   Element("IssueID", "202403054100007300000002") + Element("TypeCode", "0203") +
                       Element("IssueDateTime", "20240305") + Element("AmendmentStatusCode", "02") +
                       Element("PurposeCode", "01") +
                       Element("OriginalIssueID", "202403014100007300000001")) +
           Element("TaxInvoiceTradeSettlement",
                   Party("InvoicerParty", "1388602200",
                         Element("DefinedContact", Element("URICommunication", "a@b.kr"))) +
                       Party("InvoiceeParty", " 1448504244 ") +
                       Element("BrokerParty",
                               Element("ID", "1111111119") + Element("NameText", "중개") +
                                   Element("SpecifiedPerson", Element("NameText", "박중개"))) +
                       Element("SpecifiedPaymentMeans",
                               Element("TypeCode", "40") + Element("PaidAmount", "-110000")) +
                       Element("SpecifiedMonetarySummation",
                               Element("ChargeTotalAmount", "-100,000원") +
                                   Element("TaxTotalAmount", "-10000") +
                                   Element("GrandTotalAmount", "-110000"))) +
           items + "</TaxInvoice>";
}

TEST(InvoiceRecord, StandardInvoiceReadsEveryLineAndWhatThePageLeavesOut) {
    const std::optional<InvoiceRecord> record = ReadInvoiceRecord("*.XML", StandardInvoice());
    ASSERT_TRUE(record);
    EXPECT_EQ(record->schema, InvoiceSchema::Standard);
    EXPECT_EQ(record->typeCode, "0203");
    EXPECT_EQ(record->amendmentReasonCode, "02");
    EXPECT_EQ(record->originalApprovalNumber, "202403014100007300000001");
    EXPECT_EQ(record->issueDate, (CalendarDate{2024, 3, 5}));
    EXPECT_EQ(record->supplier.name, "한빛상사");
    EXPECT_EQ(record->supplier.email, "a@b.kr");
    EXPECT_EQ(record->buyer.registrationNumber, "1448504244");
    EXPECT_FALSE(record->buyer.email);
    EXPECT_FALSE(record->buyer.subPlaceNumber);
    ASSERT_TRUE(record->broker);
    EXPECT_EQ(record->broker->representative, "박중개");
    ASSERT_EQ(record->payments.size(), 1u);
    EXPECT_EQ(record->payments[0].means, PaymentMeans::Credit);
    EXPECT_EQ(record->payments[0].amount, -110000);
    EXPECT_FALSE(record->supplyTotal);
    EXPECT_EQ(record->grandTotal, -110000);
    ASSERT_EQ(record->lines.size(), 5u);
    EXPECT_EQ(record->lines[4].supplyAmount, -20000);
    EXPECT_FALSE(record->lines[4].remark);
    ASSERT_EQ(record->unreadable.size(), 1u);
    EXPECT_EQ(record->unreadable[0].text, "-100,000원");

    std::vector<std::string> found;
    for (const Finding& finding : CheckInvoice(*record, {2024, 12, 31})) {
        found.push_back(finding.rule + " " + finding.message);
    }
    EXPECT_EQ(found,
              std::vector<std::string>{"K03 공급가액 '-100,000원': 금액으로 읽을 수 없습니다."});
}

TEST(InvoiceRecord, LegacyAndKeyValueInvoicesReadEveryLine) {
    std::string lines;
    for (int i = 1; i <= 5; ++i) {
        lines += Element("Line", Element("TaxItem", Element("Item.Name", "품" + std::to_string(i)) +
                                                        Element("Definition.Text", "")) +
                                     Element("Transaction.DateTime", "20240305") +
                                     Element("Item.Quantity", "1") +
                                     Element("Item.Basis.Amount", "1000") +
                                     Element("Item.Amount", "1000") + Element("Tax.Amount", "100") +
                                     Element("Description.Text", ""));
    }
    // The fifth line carries only what every line must.
    lines.replace(lines.rfind("<Line>"), std::string::npos,
                  Element("Line", Element("Item.Amount", "1000") + Element("Tax.Amount", "100")));
    const std::string party =
        Element("Party.Name", "김공급") + Element("Party.Identifier", "1388602200") +
        Element("Business", Element("Organization.Name", "한빛") +
                                Element("BusinessType.Name", "제조") +
                                Element("BusinessClassification.Name", "부품"));
    const std::string legacy =
        "<TaxInvoice>" +
        Element("Header", Element("Management.Identifier", "K") + Element("Description.Text", "") +
                              Element("Volume.Identifier", "") + Element("Issue.Identifier", "") +
                              Element("Sequence.Identifier", "") +
                              Element("Document.DateTime", "2024-03-05") +
                              Element("TaxInvoice.Type.Code", "01") +
                              Element("Tax.Demand.Indicator", "01") + Element("Blank.Number", "") +
                              Element("Parties", Element("SupplierParty", party) +
                                                     Element("BuyerParty", party))) +
        Element("Summary", Element("Charge.Amount", "5000") + Element("TotalTax.Amount", "500") +
                               Element("Total.Amount", "5500")) +
        lines + "</TaxInvoice>";
    const std::optional<InvoiceRecord> fromLegacy =
        ReadInvoiceRecord("*.KTX", Cp949FromUtf8(legacy));
    ASSERT_TRUE(fromLegacy);
    EXPECT_EQ(fromLegacy->purposeCode, "01");
    EXPECT_EQ(fromLegacy->formTypeCode, "01");
    EXPECT_FALSE(fromLegacy->typeCode);
    EXPECT_EQ(RecordClassCode(*fromLegacy), "01");  // the ledger's 분류: 세금계산서
    EXPECT_EQ(fromLegacy->supplier.representative, "김공급");
    EXPECT_EQ(fromLegacy->supplier.name, "한빛");
    ASSERT_EQ(fromLegacy->lines.size(), 5u);
    EXPECT_EQ(fromLegacy->lines[3].name, "품4");
    EXPECT_FALSE(fromLegacy->lines[4].name);
    EXPECT_EQ(fromLegacy->lines[4].tax, 100);
    EXPECT_TRUE(CheckInvoice(*fromLegacy, {2024, 12, 31}).empty());

    std::string keyValue =
        "작성일=\"20240305\" 증서구분=\"01\" 공급자 등록번호=\"1388602200\" "
        "대표자=\"김공급\" 회사명=\"한빛\" 공급받는자 등록번호=\"1448504244\" "
        "결제정보 공급가액=\"5000\" 세액=\"500\" 합계금액=\"5500\" 현금=\"5500\"";
    for (int i = 1; i <= 5; ++i) {
        keyValue += " 상품" + std::to_string(i) + " 월일=\"0305\" 공급가액=\"1000\" 세액=\"100\"";
    }
    const std::optional<InvoiceRecord> fromKeyValue =
        ReadInvoiceRecord("*.TSN", Cp949FromUtf8(keyValue));
    ASSERT_TRUE(fromKeyValue);
    EXPECT_EQ(fromKeyValue->supplier.representative, "김공급");
    EXPECT_EQ(fromKeyValue->buyer.registrationNumber, "1448504244");
    EXPECT_FALSE(fromKeyValue->purposeCode);
    ASSERT_EQ(fromKeyValue->payments.size(), 1u);
    EXPECT_EQ(fromKeyValue->payments[0].amount, 5500);
    EXPECT_EQ(fromKeyValue->lines.size(), 5u);
    EXPECT_TRUE(CheckInvoice(*fromKeyValue, {2024, 12, 31}).empty());
}

TEST(InvoiceRecord, NoRecordWithoutAnInvoice) {
    EXPECT_FALSE(ReadInvoiceRecord("*.KCX", "<Contract/>"));
    EXPECT_FALSE(ReadInvoiceRecord("*.XML", "<TaxInvoice>"));
    EXPECT_FALSE(ReadInvoiceRecord("*.KTX", "not xml"));
    // A standard invoice without its required IssueID.
    std::string invoice = StandardInvoice();
    invoice.erase(invoice.find("<IssueID>"),
                  invoice.find("<TypeCode>") - invoice.find("<IssueID>"));
    EXPECT_FALSE(ReadInvoiceRecord("*.XML", invoice));
}

TEST(InvoiceRecord, AmountsAndDatesReadOnlyWhenWhole) {
    const std::pair<const char*, std::optional<std::int64_t>> amounts[] = {
        {"1,500", 1500},
        {" -220000 ", -220000},
        {"+5", 5},
        {"1000.00", 1000},
        {"1000.50", std::nullopt},
        {"1,,000", std::nullopt},
        {",100", std::nullopt},
        {"1e3", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"9223372036854775807", INT64_MAX},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775808", INT64_MIN},
    };
    for (const auto& [text, won] : amounts) EXPECT_EQ(ParseWon(text), won) << text;
    EXPECT_EQ(WonText(INT64_MIN), "-9,223,372,036,854,775,808");
    EXPECT_EQ(WonText(0), "0");

    const std::pair<const char*, std::optional<CalendarDate>> dates[] = {
        {"20240229", CalendarDate{2024, 2, 29}},
        {"20230229", std::nullopt},
        {"2024-03-05", CalendarDate{2024, 3, 5}},
        {"20240305090000", CalendarDate{2024, 3, 5}},
        {"20240305250000", std::nullopt},
        {"2024030509", std::nullopt},
        {"00000101", std::nullopt},
        {"2024-3-05", std::nullopt},
    };
    for (const auto& [text, date] : dates) EXPECT_EQ(ParseDate(text), date) << text;
}

TEST(InvoiceRecord, RealSamplesHaveTheirFindings) {
    LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES();
    const std::filesystem::path folder = LEDGRA_SHARED_SAMPLES "/real/xml";
    // The rules each sample breaks, or "no record" for the file of four documents one after
    // the other: it is no XML document, and its page fails to load as well.
    const std::pair<const char*, const char*> cases[] = {
        {"open-etaxbill_1-0101.xml", "K02"},
        {"open-etaxbill_1-0201.xml", "K02"},
        {"open-etaxbill_1-0301.xml", "K02"},
        {"open-etaxbill_1-0401.xml", "K02"},
        {"etaxbill-certifier_6-0101_signed.xml", ""},
        {"etaxbill-certifier_6-0301_signed.xml", ""},
        {"etaxbill-certifier_12_four-concatenated-docs.xml", "no record"},
        {"kr-etax-sample_unsigned.xml", ""},
    };
    for (const auto& [name, rules] : cases) {
        const std::optional<InvoiceRecord> record =
            ReadInvoiceRecord("*.XML", testing::ReadBytes(folder / name));
        std::string found = record ? "" : "no record";
        if (record) {
            for (const Finding& finding : CheckInvoice(*record, {2026, 12, 8})) {
                found += (found.empty() ? "" : " ") + finding.rule;
            }
        }
        EXPECT_EQ(found, rules) << name;
    }
}

}  // namespace
}  // namespace ledgra
