// The legacy and key-value invoices come through the same field table that fills their page.

#include <array>
#include <utility>

#include "records/RecordFields.h"
#include "records/RecordValues.h"
#include "records/SchemaRecordReaders.h"
#include "render/InvoiceFieldTable.h"
#include "render/KeyValueInvoiceRecord.h"
#include "render/LegacyInvoiceRecord.h"

namespace ledgra {
namespace {

// A slot that joins two values ("대표자^상호"), split at the first separator.
std::pair<std::string_view, std::string_view> Split(std::string_view joined, char separator) {
    const std::size_t at = joined.find(separator);
    if (at == std::string_view::npos) return {joined, {}};
    return {joined.substr(0, at), joined.substr(at + 1)};
}

struct PartySlots {
    std::size_t number;
    std::size_t names;
    std::size_t business;
    std::size_t address;
};

InvoiceParty PartyOf(const InvoiceFieldTable& table, PartySlots slots, char separator,
                     const RecordValueReader& values) {
    InvoiceParty party;
    party.registrationNumber = values.Text(table[slots.number]);
    const auto [representative, name] = Split(table[slots.names], separator);
    party.representative = values.Text(representative);
    party.name = values.Text(name);
    const auto [type, item] = Split(table[slots.business], separator);
    party.businessType = values.Text(type);
    party.businessItem = values.Text(item);
    party.address = values.Text(table[slots.address]);
    return party;
}

// What both forms keep in the same slots.
InvoiceRecord RecordOf(InvoiceSchema schema, const InvoiceFieldTable& table, char separator,
                       const std::array<std::string_view, 4>& paymentCodes) {
    InvoiceRecord record;
    record.schema = schema;
    RecordValueReader values(record);
    record.formTypeCode = values.Text(table[slot::kTypeCode]);
    record.issueDate = values.Date(table[slot::kIssueDate], field::kIssueDate);
    record.supplier = PartyOf(table,
                              {slot::kSupplierNumber, slot::kSupplierNames, slot::kSupplierBusiness,
                               slot::kSupplierAddress},
                              separator, values);
    record.buyer = PartyOf(
        table, {slot::kBuyerNumber, slot::kBuyerNames, slot::kBuyerBusiness, slot::kBuyerAddress},
        separator, values);
    record.remarks = values.Text(table[slot::kRemarks]);
    record.supplyTotal = values.Amount(table[slot::kSupplyAmount], field::kSupplyTotal);
    record.taxTotal = values.Amount(table[slot::kTax], field::kTaxTotal);
    record.grandTotal = values.Amount(table[slot::kGrandTotal], field::kGrandTotal);
    constexpr std::array<std::pair<std::size_t, PaymentMeans>, 4> kMeans{{
        {slot::kCash, PaymentMeans::Cash},
        {slot::kCheque, PaymentMeans::Cheque},
        {slot::kPromissoryNote, PaymentMeans::PromissoryNote},
        {slot::kCredit, PaymentMeans::Credit},
    }};
    for (std::size_t i = 0; i < kMeans.size(); ++i) {
        const std::string& paid = table[kMeans[i].first];
        if (!values.Text(paid)) continue;
        record.payments.push_back({std::string(paymentCodes[i]), kMeans[i].second,
                                   values.Amount(paid, field::kPaymentAmount)});
    }
    return record;
}

}  // namespace

InvoiceRecord ReadLegacyInvoiceRecord(const XmlDocument& document) {
    std::vector<InvoiceItemTexts> lines;
    const InvoiceFields fields = ReadLegacyInvoice(document, &lines);
    // The payment codes of the legacy schema, in the order of the four payment slots.
    InvoiceRecord record =
        RecordOf(InvoiceSchema::Legacy, fields.table, '^', {"10", "20", "2AA", "30"});
    RecordValueReader values(record);
    record.purposeCode = values.Text(fields.table[slot::kDemandIndicator]);
    record.lines.reserve(lines.size());
    for (const InvoiceItemTexts& line : lines) values.AddLine(line);
    return record;
}

InvoiceRecord ReadKeyValueInvoiceRecord(std::string_view text) {
    std::vector<InvoiceItemTexts> items;
    const KeyValueInvoice invoice = ReadKeyValueInvoice(text, &items);
    // The key-value form names its payments by their keys; it has no purpose code.
    InvoiceRecord record = RecordOf(InvoiceSchema::KeyValue, invoice.fields.table, '@',
                                    {"현금", "수표", "어음", "외상미수금"});
    record.lines.reserve(items.size());
    RecordValueReader values(record);
    for (const InvoiceItemTexts& item : items) values.AddLine(item);
    return record;
}

}  // namespace ledgra
