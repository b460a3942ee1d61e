#include "tests/render/StandardInvoiceTestSupport.h"

#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

std::vector<std::string> MakePlaceholderNames() {
    std::vector<std::string> names = {
        "제목",   "승인번호",      "IMG",           "등록번호P", "상호P",      "성명P",
        "주소P",  "종사업장번호P", "업태P",         "종목P",     "등록번호R",  "상호R",
        "성명R",  "주소R",         "종사업장번호R", "업태R",     "종목R",      "작성년",
        "작성월", "작성일",        "수정사유",      "비고",      "합계금액",   "현금",
        "수표",   "어음",          "외상미수금",    "영수청구",  "공급자인장", "공급받는자인장"};
    for (int k = 1; k <= 12; ++k) names.push_back("공" + std::to_string(k));
    for (int k = 1; k <= 11; ++k) names.push_back("세" + std::to_string(k));
    for (const char* row :
         {"월", "일", "품목", "규격", "수량", "단가", "공급가액", "세액", "비고"}) {
        for (int k = 1; k <= 4; ++k) names.push_back(row + std::to_string(k));
    }
    return names;
}

}  // namespace

const std::vector<std::string>& StandardInvoicePlaceholderNames() {
    static const std::vector<std::string> names = MakePlaceholderNames();
    return names;
}

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
