#pragma once
// Legacy-schema invoice documents built from parts (UTF-8), with plausible defaults for every
// part; tests replace the parts they are about.

#include <string>
#include <string_view>

#include "tests/render/StandardInvoiceTestSupport.h"

namespace ledgra::testing {

// The nine values of a Header, in the schema's order.
std::string LegacyHeaderValues(std::string_view remark = "정기 점검",
                               std::string_view date = "20240430", std::string_view typeCode = "01",
                               std::string_view indicator = "02",
                               std::string_view serial = "000123");

// A SupplierParty or BuyerParty body: name, identifier, one Business (unless `business` is
// false) and one Address.
std::string LegacyParty(std::string_view name, std::string_view id, std::string_view company,
                        std::string_view type, std::string_view item, std::string_view address,
                        bool business = true);

// A Line with one TaxItem.
std::string LegacyLine(std::string_view date, std::string_view name, std::string_view amount,
                       std::string_view tax, std::string_view quantity = "1",
                       std::string_view unitPrice = "1000", std::string_view definition = "규격",
                       std::string_view description = "");

std::string LegacyPayment(std::string_view code, std::string_view amount);

struct LegacyParts {
    std::string header = LegacyHeaderValues();
    std::string supplier =
        LegacyParty("박마바", "1358854321", "마바정보통신", "서비스", "유지보수", "부산 해운대구");
    std::string buyer =
        LegacyParty("김가나", "1208812345", "가나상사", "도소매", "사무용품", "서울 중구");
    std::string summary = Element("Charge.Amount", "1500000") +
                          Element("TotalTax.Amount", "150000") +
                          Element("Total.Amount", "1650000") + LegacyPayment("30", "1650000");
    std::string lines = LegacyLine("20240430", "유지보수", "1500000", "150000");
    std::string extensions;  // Extension and ApplicationArea elements

    std::string Xml() const;
};

}  // namespace ledgra::testing
