#pragma once
// One item line of an invoice as its document wrote it, whatever the schema: texts in code page
// 949, untrimmed; a value the line does not carry stays empty.

#include <string>

namespace ledgra {

struct InvoiceItemTexts {
    std::string date;  // as written: YYYYMMDD, or MMDD (월일) on the key-value form
    std::string name;
    std::string standard;  // 규격: size or model
    std::string quantity;
    std::string unitPrice;
    std::string supplyAmount;
    std::string tax;
    std::string remark;
};

}  // namespace ledgra
