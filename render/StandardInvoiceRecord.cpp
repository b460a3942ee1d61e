#include "render/StandardInvoiceRecord.h"

#include "render/InvoiceSums.h"
#include "render/NodeReading.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

void ReadInvoiceDocuments(const XmlDocument& document, StandardInvoiceRecord& record,
                          StandardInvoiceDetails* details) {
    static const XPath kDocuments("//TaxInvoice/TaxInvoiceDocument");
    static const XPath kIssueId("IssueID");
    static const XPath kIssueDate("IssueDateTime");
    static const XPath kPurposeCode("PurposeCode");
    static const XPath kTypeCode("TypeCode");
    static const XPath kAmendmentReason("AmendmentStatusCode");
    static const XPath kOriginalIssueId("OriginalIssueID");
    // The descriptions are searched in the whole document, item remarks included.
    static const XPath kDescriptions("//DescriptionText");

    const XmlNodeList nodes = document.SelectNodes(kDocuments);
    ForEachNode(nodes, [&](const XmlNode& node) {
        record.approvalNumber = RequiredText(node, kIssueId);
        record.issueDate = RequiredText(node, kIssueDate);
        record.purposeCode = RequiredText(node, kPurposeCode);
        record.typeCode = RequiredText(node, kTypeCode);
        if (details) {
            AssignLastText(details->amendmentReasonCode, node, kAmendmentReason);
            AssignLastText(details->originalApprovalNumber, node, kOriginalIssueId);
        }
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
    static const XPath kEmail("DefinedContact/URICommunication");

    ReadPartyBasics(party, supplier);
    AssignLastText(supplier.email, party, kEmail);
    ForEachNode(party.SelectNodes(kOrganizations), [&](const XmlNode& organization) {
        supplier.subPlaceNumber = RequiredText(organization, kTaxRegistrationId);
    });
}

void ReadBuyer(const XmlNode& party, StandardInvoiceParty& buyer) {
    static const XPath kTaxRegistrationId("SpecifiedOrganization/TaxRegistrationID");
    static const XPath kEmail("PrimaryDefinedContact/URICommunication");

    ReadPartyBasics(party, buyer);
    AssignLastText(buyer.email, party, kEmail);
    AssignLastText(buyer.subPlaceNumber, party, kTaxRegistrationId);
}

// A broker carries its number, name and representative; the rest only where written.
StandardInvoiceParty ReadBroker(const XmlNode& party) {
    static const XPath kId("ID");
    static const XPath kName("NameText");
    static const XPath kRepresentative("SpecifiedPerson/NameText");
    static const XPath kAddress("SpecifiedAddress/LineOneText");
    static const XPath kTaxRegistrationId("SpecifiedOrganization/TaxRegistrationID");
    static const XPath kEmail("DefinedContact/URICommunication");

    StandardInvoiceParty broker;
    broker.registrationNumber = RequiredText(party, kId);
    broker.name = RequiredText(party, kName);
    broker.representative = RequiredText(party, kRepresentative);
    AssignLastText(broker.address, party, kAddress);
    AssignLastText(broker.subPlaceNumber, party, kTaxRegistrationId);
    AssignLastText(broker.email, party, kEmail);
    return broker;
}

// A broker is shown as a line appended to the remarks.
void AppendBroker(const StandardInvoiceParty& broker, std::string& remarks) {
    remarks += "사업자번호:"_cp949 + broker.registrationNumber;
    remarks += "상호:"_cp949 + broker.name;
    remarks += "대표자:"_cp949 + broker.representative;
}

void ReadSettlements(const XmlDocument& document, StandardInvoiceRecord& record,
                     StandardInvoiceDetails* details) {
    static const XPath kSettlements("//TaxInvoiceTradeSettlement");
    static const XPath kSuppliers("InvoicerParty");
    static const XPath kBuyers("InvoiceeParty");
    static const XPath kBrokers("BrokerParty");

    ForEachNode(document.SelectNodes(kSettlements), [&](const XmlNode& settlement) {
        ForEachNode(settlement.SelectNodes(kSuppliers),
                    [&](const XmlNode& party) { ReadSupplier(party, record.supplier); });
        ForEachNode(settlement.SelectNodes(kBuyers),
                    [&](const XmlNode& party) { ReadBuyer(party, record.buyer); });
        ForEachNode(settlement.SelectNodes(kBrokers), [&](const XmlNode& party) {
            StandardInvoiceParty broker = ReadBroker(party);
            AppendBroker(broker, record.descriptions[1]);
            if (details) details->brokers.push_back(std::move(broker));
        });
    });
}

void ReadPayments(const XmlDocument& document, StandardInvoiceRecord& record,
                  StandardInvoiceDetails* details) {
    static const XPath kPaymentMeans("//SpecifiedPaymentMeans");
    static const XPath kTypeCode("TypeCode");
    static const XPath kPaidAmount("PaidAmount");

    std::size_t slot = 0;
    ForEachNode(document.SelectNodes(kPaymentMeans), [&](const XmlNode& means) {
        StandardInvoicePayment payment{RequiredText(means, kTypeCode),
                                       RequiredText(means, kPaidAmount)};
        if (slot < record.payments.size()) {
            record.payments[slot++] = payment.typeCode + "^" + payment.paidAmount;
        }
        if (details) details->payments.push_back(std::move(payment));
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

InvoiceItemTexts ReadItem(const XmlNode& node) {
    static const XPath kDate("PurchaseExpiryDateTime");
    static const XPath kName("NameText");
    static const XPath kStandard("InformationText");
    static const XPath kQuantity("ChargeableUnitQuantity");
    static const XPath kUnitPrice("UnitPrice/UnitAmount");
    static const XPath kSupplyAmount("InvoiceAmount");
    static const XPath kTax("TotalTax/CalculatedAmount");
    static const XPath kRemark("DescriptionText");

    InvoiceItemTexts item;
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

void ReadItems(const XmlDocument& document, StandardInvoiceRecord& record,
               StandardInvoiceDetails* details) {
    static const XPath kItems("//TaxInvoiceTradeLineItem");

    ForEachNode(document.SelectNodes(kItems), [&](const XmlNode& node) {
        InvoiceItemTexts item = ReadItem(node);
        record.supplySum = AddAmount(record.supplySum, item.supplyAmount);
        record.taxSum = AddAmount(record.taxSum, item.tax);
        if (record.itemCount < static_cast<std::int64_t>(record.rows.size())) {
            record.rows[static_cast<std::size_t>(record.itemCount)] = item;
        }
        if (details) details->items.push_back(std::move(item));
        ++record.itemCount;
    });
}

}  // namespace

StandardInvoiceRecord ReadStandardInvoice(const XmlDocument& document,
                                          StandardInvoiceDetails* details) {
    StandardInvoiceRecord record;
    ReadInvoiceDocuments(document, record, details);
    ReadSettlements(document, record, details);
    ReadPayments(document, record, details);
    ReadSummations(document, record);
    ReadItems(document, record, details);
    return record;
}

}  // namespace ledgra
