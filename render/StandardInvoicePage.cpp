#include "render/StandardInvoicePage.h"

#include <array>

#include "render/PageFilling.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr std::string_view kNbsp = "&nbsp;";

std::string OrNbsp(std::string value) {
    return value.empty() ? std::string(kNbsp) : value;
}

// The row and cell placeholders: ":월" and 3 make ":월3:".
std::string Numbered(std::string_view prefix, std::int64_t number) {
    std::string placeholder(prefix);
    placeholder += std::to_string(number);
    placeholder += ':';
    return placeholder;
}

// The kind of invoice is told by the first two characters of its type code.
std::string Title(const std::string& typeCode) {
    if (typeCode.empty()) return std::string(kNbsp);
    struct Kind {
        std::string_view code;
        const std::string& title;
    };
    static const std::array<Kind, 6> kKinds{{
        {"01", "전 자 세 금 계 산 서"_cp949},
        {"02", "전 자 수 정 세 금 계 산 서"_cp949},
        {"03", "전 자 계 산 서"_cp949},
        {"04", "전 자 수 정 계 산 서"_cp949},
        {"05", "전 자 취 소 세 금 계 산 서"_cp949},
        {"06", "전 자 취 소 계 산 서"_cp949},
    }};
    const std::string_view code = std::string_view(typeCode).substr(0, 2);
    for (const Kind& kind : kKinds) {
        if (kind.code == code) return kind.title;
    }
    return typeCode;
}

void FillParties(std::string& page, const StandardInvoiceRecord& record) {
    const StandardInvoiceParty& supplier = record.supplier;
    if (supplier.registrationNumber.empty()) {
        FillPlaceholder(page, ":등록번호P:"_cp949, kNbsp);
        FillPlaceholder(page, ":IMG:", "0000000000");
    } else {
        FillPlaceholder(page, ":IMG:", supplier.registrationNumber);
        FillPlaceholder(page, ":등록번호P:"_cp949,
                        FormatBusinessNumber(supplier.registrationNumber));
    }
    FillPlaceholder(page, ":상호P:"_cp949, OrNbsp(supplier.name));
    FillPlaceholder(page, ":성명P:"_cp949, OrNbsp(supplier.representative));
    FillPlaceholder(page, ":주소P:"_cp949, OrNbsp(supplier.address));
    FillPlaceholder(page, ":종사업장번호P:"_cp949, OrNbsp(supplier.subPlaceNumber));
    FillPlaceholder(page, ":업태P:"_cp949, OrNbsp(supplier.businessType));
    FillPlaceholder(page, ":종목P:"_cp949, OrNbsp(supplier.businessItem));

    const StandardInvoiceParty& buyer = record.buyer;
    // An empty number is shown as "&nbsp;" by the formatter itself.
    FillPlaceholder(page, ":등록번호R:"_cp949, FormatBusinessNumber(buyer.registrationNumber));
    FillPlaceholder(page, ":상호R:"_cp949, OrNbsp(buyer.name));
    FillPlaceholder(page, ":성명R:"_cp949, OrNbsp(buyer.representative));
    FillPlaceholder(page, ":주소R:"_cp949, OrNbsp(buyer.address));
    FillPlaceholder(page, ":종사업장번호R:"_cp949, OrNbsp(buyer.subPlaceNumber));
    FillPlaceholder(page, ":업태R:"_cp949, OrNbsp(buyer.businessType));
    FillPlaceholder(page, ":종목R:"_cp949, OrNbsp(buyer.businessItem));
}

void FillIssueDate(std::string& page, const std::string& issueDate) {
    const bool complete = issueDate.size() == 8;
    FillPlaceholder(page, ":작성년:"_cp949, complete ? issueDate.substr(0, 4) : kNbsp);
    FillPlaceholder(page, ":작성월:"_cp949, complete ? issueDate.substr(4, 2) : kNbsp);
    FillPlaceholder(page, ":작성일:"_cp949, complete ? issueDate.substr(6, 2) : kNbsp);
}

// The remark cell is narrow: a line break before every fourth byte. The break counts bytes, not
// characters, so a two-byte character can be split across it, as the paper form's layout did.
std::string BreakIntoFourByteLines(std::string_view remark) {
    constexpr std::size_t kLineBytes = 4;
    std::string broken;
    broken.reserve(remark.size() + remark.size() / kLineBytes * 4);
    for (std::size_t i = 0; i < remark.size(); ++i) {
        if (i > 0 && i % kLineBytes == 0) broken += "<br>";
        broken += remark[i];
    }
    return broken;
}

// Fills a row's month and day from an 8-character date; returns whether the row is dated.
bool FillRowDate(std::string& page, std::size_t row, const std::string& date, bool mayBeDated) {
    const bool dated = mayBeDated && date.size() == 8;
    FillPlaceholder(page, Numbered(":월"_cp949, row), dated ? date.substr(4, 2) : kNbsp);
    FillPlaceholder(page, Numbered(":일"_cp949, row), dated ? date.substr(6, 2) : kNbsp);
    return dated;
}

// Up to four items: each row shows its own item.
void FillItemRow(std::string& page, std::size_t row, const StandardInvoiceItem& item) {
    const bool blank = !FillRowDate(page, row, item.date, true);
    auto cell = [&](std::string_view prefix, const std::string& value, auto shown) {
        FillPlaceholder(page, Numbered(prefix, row),
                        blank && value.empty() ? std::string(kNbsp) : shown(value));
    };
    const auto withSpace = [](const std::string& value) { return value + std::string(kNbsp); };
    cell(":품목"_cp949, item.name, withSpace);
    cell(":규격"_cp949, item.standard, withSpace);
    cell(":수량"_cp949, item.quantity,
         [](const std::string& value) { return GroupDigits(value) + std::string(kNbsp); });
    cell(":단가"_cp949, item.unitPrice,
         [](const std::string& value) { return OrNbsp(GroupDigits(value)); });
    const auto amount = [](const std::string& value) { return OrNbsp(FormatAmount(value)); };
    cell(":공급가액"_cp949, item.supplyAmount, amount);
    cell(":세액"_cp949, item.tax, amount);
    FillPlaceholder(
        page, Numbered(":비고"_cp949, row),
        blank || item.remark.empty() ? std::string(kNbsp) : BreakIntoFourByteLines(item.remark));
}

// More than four items: each row names its item and how many more there are, with the sums
// of all items.
void FillSummaryRow(std::string& page, std::size_t row, const StandardInvoiceItem& item,
                    const StandardInvoiceRecord& record) {
    const bool blank = !FillRowDate(page, row, item.date, row == 1);
    FillPlaceholder(
        page, Numbered(":품목"_cp949, row),
        item.name.empty() && blank && row != 1
            ? std::string(kNbsp)
            : item.name + " 외 "_cp949 + std::to_string(record.itemCount - 1) + "건"_cp949);
    for (std::string_view prefix : {":규격"_cp949, ":수량"_cp949, ":단가"_cp949, ":비고"_cp949}) {
        FillPlaceholder(page, Numbered(prefix, row), kNbsp);
    }
    FillPlaceholder(page, Numbered(":공급가액"_cp949, row),
                    item.supplyAmount.empty() && blank
                        ? std::string(kNbsp)
                        : OrNbsp(FormatAmount(std::to_string(record.supplySum))));
    FillPlaceholder(page, Numbered(":세액"_cp949, row),
                    item.tax.empty() && blank
                        ? std::string(kNbsp)
                        : OrNbsp(FormatAmount(std::to_string(record.taxSum))));
}

void FillItems(std::string& page, const StandardInvoiceRecord& record) {
    const bool summary = record.itemCount > static_cast<std::int64_t>(kStandardItemRows);
    for (std::size_t row = 1; row <= kStandardItemRows; ++row) {
        const StandardInvoiceItem& item = record.rows[row - 1];
        if (summary) {
            FillSummaryRow(page, row, item, record);
        } else {
            FillItemRow(page, row, item);
        }
    }
}

// Each payment entry "<code>^<amount>" goes to the cell of its code; the cells no entry
// reached are left empty.
void FillPayments(std::string& page, const StandardInvoiceRecord& record) {
    struct Means {
        std::string_view code;
        const std::string& placeholder;
    };
    const std::array<Means, 4> means{{
        {"10", ":현금:"_cp949},
        {"20", ":수표:"_cp949},
        {"30", ":어음:"_cp949},
        {"40", ":외상미수금:"_cp949},
    }};
    for (const std::string& entry : record.payments) {
        if (entry.empty()) continue;
        const std::string_view code = std::string_view(entry).substr(0, 2);
        const std::string_view amount =
            entry.size() > 3 ? std::string_view(entry).substr(3) : std::string_view();
        for (const Means& cell : means) {
            if (cell.code == code)
                FillPlaceholder(page, cell.placeholder, OrNbsp(FormatAmount(amount)));
        }
    }
    for (const Means& cell : means) FillPlaceholder(page, cell.placeholder, kNbsp);
}

}  // namespace

void FillStandardInvoicePage(std::string& page, const StandardInvoiceRecord& record,
                             std::string_view supplierSeal, std::string_view supplierSealPath) {
    FillPlaceholder(page, ":제목:"_cp949, Title(record.typeCode));
    FillParties(page, record);
    FillIssueDate(page, record.issueDate);
    DigitCells(page, ":공"_cp949, record.supplyTotal, 12);
    DigitCells(page, ":세"_cp949, record.taxTotal, 11);
    FillPlaceholder(page, ":수정사유:"_cp949, OrNbsp(record.descriptions[0]));
    FillPlaceholder(page, ":비고:"_cp949, OrNbsp(record.descriptions[1]));
    FillItems(page, record);
    FillPlaceholder(page, ":합계금액:"_cp949,
                    record.grandTotal.empty() || record.grandTotal == "0"
                        ? std::string("0")
                        : OrNbsp(FormatAmount(record.grandTotal)));
    FillPayments(page, record);
    FillPlaceholder(page, ":영수청구:"_cp949, "청구"_cp949);
    FillPlaceholder(page, ":승인번호:"_cp949, OrNbsp(record.approvalNumber));
    // The buyer's seal is never carried by this kind of invoice.
    FillPlaceholder(page, ":공급받는자인장:"_cp949, SealMark());
    SealCell(page, ":공급자인장:"_cp949, supplierSeal, SealMark(), SupplierSealTag(),
             ":인장2:"_cp949, supplierSealPath);
}

}  // namespace ledgra
