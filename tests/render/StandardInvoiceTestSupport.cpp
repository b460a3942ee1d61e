#include "tests/render/StandardInvoiceTestSupport.h"

namespace ledgra::testing {

std::string Element(std::string_view name, std::string_view text) {
    return "<" + std::string(name) + ">" + std::string(text) + "</" + std::string(name) + ">";
}

std::string PartyBody(std::string_view id, std::string_view name, std::string_view person,
                      std::string_view address, std::string_view type,
                      std::string_view classification) {
    return Element("ID", id) + Element("TypeCode", type) + Element("NameText", name) +
           Element("ClassificationCode", classification) +
           Element("SpecifiedPerson", Element("NameText", person)) +
           Element("SpecifiedAddress", Element("LineOneText", address));
}

std::string Item(std::string_view date, std::string_view name, std::string_view amount,
                 std::string_view tax, std::string_view more) {
    return Element("TaxInvoiceTradeLineItem",
                   Element("InvoiceAmount", amount) + Element("NameText", name) +
                       Element("PurchaseExpiryDateTime", date) +
                       Element("TotalTax", Element("CalculatedAmount", tax)) + std::string(more));
}

std::string InvoiceParts::Xml() const {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<TaxInvoice xmlns=\"urn:kr:or:kec:standard:Tax:"
           "ReusableAggregateBusinessInformationEntitySchemaModule:1:0\">" +
           Element("TaxInvoiceDocument", document) +
           Element("TaxInvoiceTradeSettlement",
                   Element("InvoicerParty", supplier) + Element("InvoiceeParty", buyer) + brokers +
                       payments + Element("SpecifiedMonetarySummation", summation)) +
           items + extensions + "</TaxInvoice>\n";
}

}  // namespace ledgra::testing
