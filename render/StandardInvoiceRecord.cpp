#include "render/StandardInvoiceRecord.h"

#include "render/InvoiceSums.h"
#include "render/NodeReading.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

void ReadInvoiceDocuments(const XmlDocument& document, StandardInvoiceRecord& record) {
    static const XPath kDocuments("//TaxInvoice/TaxInvoiceDocument");
    static const XPath kIssueId("IssueID");
    static const XPath kIssueDate("IssueDateTime");
    static const XPath kPurposeCode("PurposeCode");
    static const XPath kTypeCode("TypeCode");
    // The descriptions are searched in the whole document, item remarks included.
    static const XPath kDescriptions("//DescriptionText");

    const XmlNodeList nodes = document.SelectNodes(kDocuments);
    ForEachNode(nodes, [&](const XmlNode& node) {
        record.approvalNumber = RequiredText(node, kIssueId);
        record.issueDate = RequiredText(node, kIssueDate);
        record.purposeCode = RequiredText(node, kPurposeCode);
        record.typeCode = RequiredText(node, kTypeCode);
    });
    // Asked on each invoice document the search would give the same list every time, so it is
    // made once: a document of many invoice documents and descriptions must not take
    // quadratic time.
    if (nodes.ListLength() == 0) return;
    const XmlNodeList descriptions = document.SelectNodes(kDescriptions);
    const long count = descriptions.ListLength();
    for (long i = 0; i < count && i < static_cast<long>(record.descriptions.size()); ++i) {
        record.descriptions[static_cast<std::size_t>(i)] = descriptions.ListItem(i).NodeText();
    }
}

// The values both parties carry.
void ReadPartyBasics(const XmlNode& party, StandardInvoiceParty& out) {
    static const XPath kId("ID");
    static const XPath kName("NameText");
    static const XPath kRepresentative("SpecifiedPerson/NameText");
    static const XPath kAddress("SpecifiedAddress/LineOneText");
    static const XPath kBusinessType("TypeCode");
    static const XPath kBusinessItem("ClassificationCode");

    out.registrationNumber = RequiredText(party, kId);
    out.name = RequiredText(party, kName);
    out.representative = RequiredText(party, kRepresentative);
    out.address = RequiredText(party, kAddress);
    out.businessType = RequiredText(party, kBusinessType);
    out.businessItem = RequiredText(party, kBusinessItem);
}

void ReadSupplier(const XmlNode& party, StandardInvoiceParty& supplier) {
    static const XPath kOrganizations("SpecifiedOrganization");
    static const XPath kTaxRegistrationId("TaxRegistrationID");

    ReadPartyBasics(party, supplier);
    ForEachNode(party.SelectNodes(kOrganizations), [&](const XmlNode& organization) {
        supplier.subPlaceNumber = RequiredText(organization, kTaxRegistrationId);
    });
}

void ReadBuyer(const XmlNode& party, StandardInvoiceParty& buyer) {
    static const XPath kTaxRegistrationId("SpecifiedOrganization/TaxRegistrationID");

    ReadPartyBasics(party, buyer);
    AssignLastText(buyer.subPlaceNumber, party, kTaxRegistrationId);
}

// A broker is shown as a line appended to the remarks.
void AppendBroker(const XmlNode& party, std::string& remarks) {
    static const XPath kId("ID");
    static const XPath kName("NameText");
    static const XPath kRepresentative("SpecifiedPerson/NameText");

    std::string line = "사업자번호:"_cp949 + RequiredText(party, kId);
    line += "상호:"_cp949 + RequiredText(party, kName);
    line += "대표자:"_cp949 + RequiredText(party, kRepresentative);
    remarks += line;
}

void ReadSettlements(const XmlDocument& document, StandardInvoiceRecord& record) {
    static const XPath kSettlements("//TaxInvoiceTradeSettlement");
    static const XPath kSuppliers("InvoicerParty");
    static const XPath kBuyers("InvoiceeParty");
    static const XPath kBrokers("BrokerParty");

    ForEachNode(document.SelectNodes(kSettlements), [&](const XmlNode& settlement) {
        ForEachNode(settlement.SelectNodes(kSuppliers),
                    [&](const XmlNode& party) { ReadSupplier(party, record.supplier); });
        ForEachNode(settlement.SelectNodes(kBuyers),
                    [&](const XmlNode& party) { ReadBuyer(party, record.buyer); });
        ForEachNode(settlement.SelectNodes(kBrokers),
                    [&](const XmlNode& party) { AppendBroker(party, record.descriptions[1]); });
    });
}

void ReadPayments(const XmlDocument& document, StandardInvoiceRecord& record) {
    static const XPath kPaymentMeans("//SpecifiedPaymentMeans");
    static const XPath kTypeCode("TypeCode");
    static const XPath kPaidAmount("PaidAmount");

    std::size_t slot = 0;
    ForEachNode(document.SelectNodes(kPaymentMeans), [&](const XmlNode& means) {
        std::string entry = RequiredText(means, kTypeCode) + "^" + RequiredText(means, kPaidAmount);
        if (slot < record.payments.size()) record.payments[slot++] = std::move(entry);
    });
}

void ReadSummations(const XmlDocument& document, StandardInvoiceRecord& record) {
    static const XPath kSummations("//SpecifiedMonetarySummation");
    static const XPath kChargeTotal("ChargeTotalAmount");
    static const XPath kTaxTotal("TaxTotalAmount");
    static const XPath kGrandTotal("GrandTotalAmount");

    ForEachNode(document.SelectNodes(kSummations), [&](const XmlNode& summation) {
        record.supplyTotal = RequiredText(summation, kChargeTotal);
        record.taxTotal = RequiredText(summation, kTaxTotal);
        record.grandTotal = RequiredText(summation, kGrandTotal);
    });
}

StandardInvoiceItem ReadItem(const XmlNode& node) {
    static const XPath kDate("PurchaseExpiryDateTime");
    static const XPath kName("NameText");
    static const XPath kStandard("InformationText");
    static const XPath kQuantity("ChargeableUnitQuantity");
    static const XPath kUnitPrice("UnitPrice/UnitAmount");
    static const XPath kSupplyAmount("InvoiceAmount");
    static const XPath kTax("TotalTax/CalculatedAmount");
    static const XPath kRemark("DescriptionText");

    StandardInvoiceItem item;
    item.date = RequiredText(node, kDate);
    AssignLastText(item.name, node, kName);
    AssignLastText(item.standard, node, kStandard);
    AssignLastText(item.quantity, node, kQuantity);
    AssignLastText(item.unitPrice, node, kUnitPrice);
    item.supplyAmount = RequiredText(node, kSupplyAmount);
    item.tax = RequiredText(node, kTax);
    AssignLastText(item.remark, node, kRemark);
    return item;
}

void ReadItems(const XmlDocument& document, StandardInvoiceRecord& record) {
    static const XPath kItems("//TaxInvoiceTradeLineItem");

    ForEachNode(document.SelectNodes(kItems), [&](const XmlNode& node) {
        StandardInvoiceItem item = ReadItem(node);
        record.supplySum = AddAmount(record.supplySum, item.supplyAmount);
        record.taxSum = AddAmount(record.taxSum, item.tax);
        if (record.itemCount < static_cast<std::int64_t>(record.rows.size())) {
            record.rows[static_cast<std::size_t>(record.itemCount)] = std::move(item);
        }
        ++record.itemCount;
    });
}

}  // namespace

StandardInvoiceRecord ReadStandardInvoice(const XmlDocument& document) {
    StandardInvoiceRecord record;
    ReadInvoiceDocuments(document, record);
    ReadSettlements(document, record);
    ReadPayments(document, record);
    ReadSummations(document, record);
    ReadItems(document, record);
    return record;
}

}  // namespace ledgra
