#include "tests/support/MadeUpInvoices.h"

namespace ledgra::testing {
namespace {

std::string Party(const char* element, const std::string& number, const std::string& name) {
    return std::string("<") + element + "><ID>" + number + "</ID><TypeCode>도소매</TypeCode>" +
           "<NameText>" + name + "</NameText><ClassificationCode>사무용품</ClassificationCode>" +
           "<SpecifiedPerson><NameText>대표</NameText></SpecifiedPerson><SpecifiedAddress>" +
           "<LineOneText>서울</LineOneText></SpecifiedAddress></" + element + ">";
}

}  // namespace

std::string MadeUpInvoiceXml(const MadeUpInvoice& invoice) {
    std::int64_t supply = 0;
    std::int64_t tax = 0;
    std::string lines;
    int sequence = 0;
    for (const MadeUpLine& line : invoice.lines) {
        supply += line.supply;
        tax += line.tax;
        lines += "<TaxInvoiceTradeLineItem><SequenceNumeric>" + std::to_string(++sequence) +
                 "</SequenceNumeric><PurchaseExpiryDateTime>" + invoice.issueDate +
                 "</PurchaseExpiryDateTime><InvoiceAmount>" + std::to_string(line.supply) +
                 "</InvoiceAmount><NameText>" + line.name +
                 "</NameText><TotalTax><CalculatedAmount>" + std::to_string(line.tax) +
                 "</CalculatedAmount></TotalTax></TaxInvoiceTradeLineItem>";
    }
    std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TaxInvoice xmlns=\"urn:kr:or:kec:standard:"
        "Tax:ReusableAggregateBusinessInformationEntitySchemaModule:1:0\"><ExchangedDocument>"
        "<ID>1</ID></ExchangedDocument><TaxInvoiceDocument><IssueID>" +
        invoice.approvalNumber + "</IssueID><TypeCode>" + invoice.typeCode +
        "</TypeCode><IssueDateTime>" + invoice.issueDate + "</IssueDateTime><PurposeCode>" +
        invoice.purposeCode + "</PurposeCode>";
    if (!invoice.amendmentCode.empty()) {
        document += "<AmendmentStatusCode>" + invoice.amendmentCode + "</AmendmentStatusCode>";
    }
    if (!invoice.originalNumber.empty()) {
        document += "<OriginalIssueID>" + invoice.originalNumber + "</OriginalIssueID>";
    }
    document += "</TaxInvoiceDocument><TaxInvoiceTradeSettlement>" +
                Party("InvoicerParty", invoice.supplierNumber, invoice.supplierName) +
                Party("InvoiceeParty", invoice.buyerNumber, invoice.buyerName) +
                "<SpecifiedMonetarySummation><ChargeTotalAmount>" + std::to_string(supply) +
                "</ChargeTotalAmount><TaxTotalAmount>" + std::to_string(tax) +
                "</TaxTotalAmount><GrandTotalAmount>" + std::to_string(supply + tax) +
                "</GrandTotalAmount></SpecifiedMonetarySummation></TaxInvoiceTradeSettlement>" +
                lines + "</TaxInvoice>\n";
    return document;
}

}  // namespace ledgra::testing
