#include "render/LegacyInvoiceRecord.h"

#include <array>

#include "render/InvoiceSums.h"
#include "render/NodeReading.h"
#include "text/ByteString.h"

namespace ledgra {
namespace {

void ReadHeaderValues(const XmlNode& header, InvoiceFieldTable& table) {
    struct Value {
        XPath path;
        std::size_t slot;
    };
    static const std::array<Value, 9> kValues{{
        {XPath("Management.Identifier"), slot::kDocumentCode},
        {XPath("Description.Text"), slot::kRemarks},
        {XPath("Volume.Identifier"), slot::kBookVolume},
        {XPath("Issue.Identifier"), slot::kBookNumber},
        {XPath("Sequence.Identifier"), slot::kSerialNumber},
        {XPath("Document.DateTime"), slot::kIssueDate},
        {XPath("TaxInvoice.Type.Code"), slot::kTypeCode},
        {XPath("Tax.Demand.Indicator"), slot::kDemandIndicator},
        {XPath("Blank.Number"), slot::kBlankCells},
    }};
    for (const Value& value : kValues) table[value.slot] = RequiredText(header, value.path);
}

// The slots of one party: number, name^company, type^item, address.
struct PartySlots {
    std::size_t number;
    std::size_t names;
    std::size_t business;
    std::size_t address;
};

// `parties` and `addresses` are the document-wide lists of one side's parties and their
// addresses.
void ReadParties(const XmlNodeList& parties, const XmlNodeList& addresses, PartySlots slots,
                 InvoiceFieldTable& table) {
    static const XPath kName("Party.Name");
    static const XPath kIdentifier("Party.Identifier");
    static const XPath kBusinesses("Business");
    static const XPath kOrganization("Organization.Name");
    static const XPath kBusinessType("BusinessType.Name");
    static const XPath kClassification("BusinessClassification.Name");
    static const XPath kAddressLine("Address.Line1.Text");

    ForEachNode(parties, [&](const XmlNode& party) {
        const std::string name = RequiredText(party, kName);
        table[slots.number] = RequiredText(party, kIdentifier);
        ForEachNode(party.SelectNodes(kBusinesses), [&](const XmlNode& business) {
            table[slots.names] = name + "^" + RequiredText(business, kOrganization);
            table[slots.business] = RequiredText(business, kBusinessType) + "^" +
                                    RequiredText(business, kClassification);
        });
    });
    // Each party would walk every address of the document again and end with the same last
    // one: walked once, so that a document of many parties does not take quadratic time.
    if (parties.ListLength() == 0) return;
    ForEachNode(addresses, [&](const XmlNode& address) {
        table[slots.address] = RequiredText(address, kAddressLine);
    });
}

void ReadHeaders(const XmlDocument& document, InvoiceFieldTable& table) {
    static const XPath kHeaders("//Header");
    static const XPath kParties("Parties");
    static const XPath kSuppliers("//Header/Parties/SupplierParty");
    static const XPath kSupplierAddresses("//Header/Parties/SupplierParty/Address");
    static const XPath kBuyers("//Header/Parties/BuyerParty");
    static const XPath kBuyerAddresses("//Header/Parties/BuyerParty/Address");

    const XmlNodeList headers = document.SelectNodes(kHeaders);
    ForEachNode(headers, [&](const XmlNode& header) {
        ReadHeaderValues(header, table);
        header.SelectNode(kParties);
    });
    // The party paths search the whole document, so asked on each header's Parties element
    // they would give the same lists and the same values every time: they are read once.
    if (headers.ListLength() == 0) return;
    ReadParties(document.SelectNodes(kSuppliers), document.SelectNodes(kSupplierAddresses),
                {slot::kSupplierNumber, slot::kSupplierNames, slot::kSupplierBusiness,
                 slot::kSupplierAddress},
                table);
    ReadParties(document.SelectNodes(kBuyers), document.SelectNodes(kBuyerAddresses),
                {slot::kBuyerNumber, slot::kBuyerNames, slot::kBuyerBusiness, slot::kBuyerAddress},
                table);
}

void ReadSummaries(const XmlDocument& document, InvoiceFieldTable& table) {
    static const XPath kSummaries("//Summary");
    static const XPath kCharge("Charge.Amount");
    static const XPath kTax("TotalTax.Amount");
    static const XPath kTotal("Total.Amount");
    static const XPath kPayments("PaymentMethod");
    static const XPath kCode("PaymentMethod.Code");
    static const XPath kAmount("DomesticCurrency.Amount");
    struct Means {
        std::string_view code;
        std::size_t slot;
    };
    static constexpr std::array<Means, 4> kMeans{{
        {"10", slot::kCash},
        {"20", slot::kCheque},
        {"2AA", slot::kPromissoryNote},
        {"30", slot::kCredit},
    }};

    ForEachNode(document.SelectNodes(kSummaries), [&](const XmlNode& summary) {
        table[slot::kSupplyAmount] = RequiredText(summary, kCharge);
        table[slot::kTax] = RequiredText(summary, kTax);
        table[slot::kGrandTotal] = RequiredText(summary, kTotal);
        ForEachNode(summary.SelectNodes(kPayments), [&](const XmlNode& payment) {
            const std::string code = RequiredText(payment, kCode);
            for (const Means& means : kMeans) {
                if (means.code == code) table[means.slot] = RequiredText(payment, kAmount);
            }
        });
    });
}

// The values of one line. A row's values are required; the other lines require only their
// amount and tax, and their other values are read only when every value is asked for.
InvoiceItemTexts ReadLine(const XmlNode& line, bool row, bool everyValue) {
    static const XPath kDate("Transaction.DateTime");
    static const XPath kTaxItems("TaxItem");
    static const XPath kItemName("Item.Name");
    static const XPath kDefinition("Definition.Text");
    static const XPath kQuantity("Item.Quantity");
    static const XPath kBasisAmount("Item.Basis.Amount");
    static const XPath kAmount("Item.Amount");
    static const XPath kTax("Tax.Amount");
    static const XPath kDescription("Description.Text");

    InvoiceItemTexts values;
    const auto read = [&](std::string& value, const XmlNode& node, const XPath& path) {
        if (row) {
            value = RequiredText(node, path);
        } else if (everyValue) {
            AssignLastText(value, node, path);
        }
    };
    read(values.date, line, kDate);
    if (row || everyValue) {
        ForEachNode(line.SelectNodes(kTaxItems), [&](const XmlNode& item) {
            read(values.name, item, kItemName);
            read(values.standard, item, kDefinition);
        });
    }
    read(values.quantity, line, kQuantity);
    read(values.unitPrice, line, kBasisAmount);
    values.supplyAmount = RequiredText(line, kAmount);
    values.tax = RequiredText(line, kTax);
    read(values.remark, line, kDescription);
    return values;
}

void FillRow(const InvoiceItemTexts& values, std::size_t i, InvoiceFieldTable& table) {
    FillRowSlots(table, i, values);
    // A row without an 8-character date of its own takes the invoice's issue date.
    std::string& date = table[slot::RowDate(i)];
    const std::string& issueDate = table[slot::kIssueDate];
    if (date.size() != 8 && issueDate.size() == 8) date = issueDate;
}

}  // namespace

bool LoadLegacyInvoiceText(XmlDocument& document, std::string_view content) {
    return document.LoadXmlText(ReplaceAll(content, "&quot;", "\""));
}

InvoiceFields ReadLegacyInvoice(const XmlDocument& document,
                                std::vector<InvoiceItemTexts>* everyLine) {
    static const XPath kLines("//Line");

    InvoiceFields fields;
    ReadHeaders(document, fields.table);
    ReadSummaries(document, fields.table);
    ForEachNode(document.SelectNodes(kLines), [&](const XmlNode& line) {
        const auto i = static_cast<std::size_t>(fields.lineCount);
        // Only the first four lines have rows: the other lines are only counted and summed.
        const bool row = i < kInvoiceRows;
        InvoiceItemTexts values = ReadLine(line, row, everyLine != nullptr);
        fields.supplySum = AddAmount(fields.supplySum, values.supplyAmount);
        fields.taxSum = AddAmount(fields.taxSum, values.tax);
        if (row) FillRow(values, i, fields.table);
        if (everyLine) everyLine->push_back(std::move(values));
        ++fields.lineCount;
    });
    return fields;
}

std::string ReadLegacyDataType(const XmlDocument& document) {
    static const XPath kDataType("//ApplicationArea/Extension/DataType");

    const XmlNodeList nodes = document.SelectNodes(kDataType);
    return nodes.ListLength() > 0 ? nodes.ListItem(0).NodeText() : std::string();
}

}  // namespace ledgra
