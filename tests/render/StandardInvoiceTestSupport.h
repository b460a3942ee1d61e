#pragma once
// Standard-schema invoice documents built from parts for the render tests.

#include <string>
#include <string_view>

namespace ledgra::testing {

// "<name>text</name>"
std::string Element(std::string_view name, std::string_view text);

// An InvoicerParty, InvoiceeParty or BrokerParty body with the six common values.
std::string PartyBody(std::string_view id, std::string_view name, std::string_view person,
                      std::string_view address, std::string_view type,
                      std::string_view classification);

// A TaxInvoiceTradeLineItem with its date, name, supply amount and tax; `more` is added inside.
std::string Item(std::string_view date, std::string_view name, std::string_view amount,
                 std::string_view tax, std::string_view more = "");

// A standard-schema invoice (UTF-8, in the schema's default namespace as real invoices are),
// with plausible defaults for every part; tests replace the parts they are about.
struct InvoiceParts {
    std::string document = Element("IssueID", "20240305-41000073-0001") +
                           Element("TypeCode", "0101") + Element("IssueDateTime", "20240305") +
                           Element("PurposeCode", "02");
    std::string supplier =
        PartyBody("1234567890", "한빛상사", "김공급", "서울 중구 세종대로 1", "제조", "전자부품");
    std::string buyer =
        PartyBody("9876543210", "누리물산", "이구매", "부산 남구 수영로 2", "도소매", "잡화");
    std::string brokers;   // BrokerParty elements
    std::string payments;  // SpecifiedPaymentMeans elements
    std::string summation = Element("ChargeTotalAmount", "100000") +
                            Element("TaxTotalAmount", "10000") +
                            Element("GrandTotalAmount", "110000");
    std::string items = Item("20240305", "볼트", "100000", "10000");
    std::string extensions;  // Extension elements

    std::string Xml() const;
};

}  // namespace ledgra::testing
