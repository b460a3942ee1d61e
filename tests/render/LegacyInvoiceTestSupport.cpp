#include "tests/render/LegacyInvoiceTestSupport.h"

namespace ledgra::testing {

std::string LegacyHeaderValues(std::string_view remark, std::string_view date,
                               std::string_view typeCode, std::string_view indicator,
                               std::string_view serial) {
    return Element("Management.Identifier", "KTX-1") + Element("Description.Text", remark) +
           Element("Volume.Identifier", "3") + Element("Issue.Identifier", "12") +
           Element("Sequence.Identifier", serial) + Element("Document.DateTime", date) +
           Element("TaxInvoice.Type.Code", typeCode) + Element("Tax.Demand.Indicator", indicator) +
           Element("Blank.Number", "4");
}

std::string LegacyParty(std::string_view name, std::string_view id, std::string_view company,
                        std::string_view type, std::string_view item, std::string_view address,
                        bool business) {
    std::string party = Element("Party.Name", name) + Element("Party.Identifier", id);
    if (business) {
        party += Element("Business", Element("Organization.Name", company) +
                                         Element("BusinessType.Name", type) +
                                         Element("BusinessClassification.Name", item));
    }
    return party + Element("Address", Element("Address.Line1.Text", address));
}

std::string LegacyLine(std::string_view date, std::string_view name, std::string_view amount,
                       std::string_view tax, std::string_view quantity, std::string_view unitPrice,
                       std::string_view definition, std::string_view description) {
    return Element(
        "Line",
        Element("TaxItem", Element("Item.Name", name) + Element("Definition.Text", definition)) +
            Element("Transaction.DateTime", date) + Element("Item.Quantity", quantity) +
            Element("Item.Basis.Amount", unitPrice) + Element("Item.Amount", amount) +
            Element("Tax.Amount", tax) + Element("Description.Text", description));
}

std::string LegacyPayment(std::string_view code, std::string_view amount) {
    return Element("PaymentMethod", Element("PaymentMethod.Code", code) +
                                        Element("DomesticCurrency.Amount", amount));
}

std::string LegacyParts::Xml() const {
    return "<?xml version=\"1.0\" encoding=\"euc-kr\"?>\n<TaxInvoice>" +
           Element("Header", header + Element("Parties", Element("SupplierParty", supplier) +
                                                             Element("BuyerParty", buyer))) +
           Element("Summary", summary) + lines + extensions + "</TaxInvoice>\n";
}

}  // namespace ledgra::testing
