#include <utility>

#include "records/RecordFields.h"
#include "records/RecordValues.h"
#include "records/SchemaRecordReaders.h"
#include "render/StandardInvoiceRecord.h"

namespace ledgra {
namespace {

InvoiceParty PartyOf(const StandardInvoiceParty& party, const RecordValueReader& values) {
    InvoiceParty out;
    out.registrationNumber = values.Text(party.registrationNumber);
    out.subPlaceNumber = values.Text(party.subPlaceNumber);
    out.name = values.Text(party.name);
    out.representative = values.Text(party.representative);
    out.address = values.Text(party.address);
    out.email = values.Text(party.email);
    out.businessType = values.Text(party.businessType);
    out.businessItem = values.Text(party.businessItem);
    return out;
}

// The payment means codes of the standard schema.
std::optional<PaymentMeans> MeansOf(const std::string& code) {
    if (code == "10") return PaymentMeans::Cash;
    if (code == "20") return PaymentMeans::Cheque;
    if (code == "30") return PaymentMeans::PromissoryNote;
    if (code == "40") return PaymentMeans::Credit;
    return std::nullopt;
}

}  // namespace

InvoiceRecord ReadStandardInvoiceRecord(const XmlDocument& document) {
    StandardInvoiceDetails details;
    const StandardInvoiceRecord read = ReadStandardInvoice(document, &details);

    InvoiceRecord record;
    record.schema = InvoiceSchema::Standard;
    RecordValueReader values(record);
    record.approvalNumber = values.Text(read.approvalNumber);
    record.typeCode = values.Text(read.typeCode);
    record.purposeCode = values.Text(read.purposeCode);
    record.amendmentReasonCode = values.Text(details.amendmentReasonCode);
    record.originalApprovalNumber = values.Text(details.originalApprovalNumber);
    record.issueDate = values.Date(read.issueDate, field::kIssueDate);
    record.supplier = PartyOf(read.supplier, values);
    record.buyer = PartyOf(read.buyer, values);
    // As everywhere in the document, the last of repeated elements counts.
    if (!details.brokers.empty()) record.broker = PartyOf(details.brokers.back(), values);
    record.remarks = values.Text(read.descriptions[0]);
    record.supplyTotal = values.Amount(read.supplyTotal, field::kSupplyTotal);
    record.taxTotal = values.Amount(read.taxTotal, field::kTaxTotal);
    record.grandTotal = values.Amount(read.grandTotal, field::kGrandTotal);
    for (const StandardInvoicePayment& payment : details.payments) {
        record.payments.push_back({values.Text(payment.typeCode).value_or(""),
                                   MeansOf(payment.typeCode),
                                   values.Amount(payment.paidAmount, field::kPaymentAmount)});
    }
    record.lines.reserve(details.items.size());
    for (const InvoiceItemTexts& item : details.items) values.AddLine(item);
    return record;
}

}  // namespace ledgra
