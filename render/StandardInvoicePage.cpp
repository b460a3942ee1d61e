#include "render/StandardInvoicePage.h"

#include <array>

#include "render/CellText.h"
#include "render/DigitCells.h"
#include "render/FillPlan.h"
#include "render/Formatters.h"
#include "render/HtmlText.h"
#include "render/PlaceholderFill.h"
#include "render/SealCells.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

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
    return EscapeText(typeCode);
}

void FillParties(PageFill& page, const StandardInvoiceRecord& record) {
    const StandardInvoiceParty& supplier = record.supplier;
    if (supplier.registrationNumber.empty()) {
        FillPlaceholder(page, ":등록번호P:"_cp949, kNbsp);
        FillPlaceholder(page, ":IMG:", "0000000000");
    } else {
        FillPlaceholder(page, ":IMG:", EscapeUrlPart(supplier.registrationNumber));
        FillPlaceholder(page, ":등록번호P:"_cp949,
                        EscapeText(FormatBusinessNumber(supplier.registrationNumber)));
    }
    FillPlaceholder(page, ":상호P:"_cp949, TextOrNbsp(supplier.name));
    FillPlaceholder(page, ":성명P:"_cp949, TextOrNbsp(supplier.representative));
    FillPlaceholder(page, ":주소P:"_cp949, TextOrNbsp(supplier.address));
    FillPlaceholder(page, ":종사업장번호P:"_cp949, TextOrNbsp(supplier.subPlaceNumber));
    FillPlaceholder(page, ":업태P:"_cp949, TextOrNbsp(supplier.businessType));
    FillPlaceholder(page, ":종목P:"_cp949, TextOrNbsp(supplier.businessItem));

    const StandardInvoiceParty& buyer = record.buyer;
    FillPlaceholder(page, ":등록번호R:"_cp949,
                    buyer.registrationNumber.empty()
                        ? std::string(kNbsp)
                        : EscapeText(FormatBusinessNumber(buyer.registrationNumber)));
    FillPlaceholder(page, ":상호R:"_cp949, TextOrNbsp(buyer.name));
    FillPlaceholder(page, ":성명R:"_cp949, TextOrNbsp(buyer.representative));
    FillPlaceholder(page, ":주소R:"_cp949, TextOrNbsp(buyer.address));
    FillPlaceholder(page, ":종사업장번호R:"_cp949, TextOrNbsp(buyer.subPlaceNumber));
    FillPlaceholder(page, ":업태R:"_cp949, TextOrNbsp(buyer.businessType));
    FillPlaceholder(page, ":종목R:"_cp949, TextOrNbsp(buyer.businessItem));
}

void FillIssueDate(PageFill& page, const std::string& issueDate) {
    const bool complete = issueDate.size() == 8;
    FillPlaceholder(page, ":작성년:"_cp949, TextOrNbsp(complete ? issueDate.substr(0, 4) : ""));
    FillPlaceholder(page, ":작성월:"_cp949, TextOrNbsp(complete ? issueDate.substr(4, 2) : ""));
    FillPlaceholder(page, ":작성일:"_cp949, TextOrNbsp(complete ? issueDate.substr(6, 2) : ""));
}

// Up to four items: each row shows its own item.
void FillItemRow(PageFill& page, std::size_t row, const InvoiceItemTexts& item) {
    const bool blank = !FillRowDate(page, row, RowMonthDay(item.date, RowDateForms::YearMonthDay));
    auto cell = [&](std::string_view prefix, const std::string& value, auto shown) {
        FillPlaceholder(page, NumberedPlaceholder(prefix, row),
                        blank && value.empty() ? std::string(kNbsp) : shown(value));
    };
    const auto withSpace = [](const std::string& value) {
        return EscapeText(value) + std::string(kNbsp);
    };
    cell(":품목"_cp949, item.name, withSpace);
    cell(":규격"_cp949, item.standard, withSpace);
    cell(":수량"_cp949, item.quantity, [](const std::string& value) {
        return EscapeText(GroupDigits(value)) + std::string(kNbsp);
    });
    cell(":단가"_cp949, item.unitPrice,
         [](const std::string& value) { return TextOrNbsp(GroupDigits(value)); });
    const auto amount = [](const std::string& value) { return TextOrNbsp(FormatAmount(value)); };
    cell(":공급가액"_cp949, item.supplyAmount, amount);
    cell(":세액"_cp949, item.tax, amount);
    FillPlaceholder(page, NumberedPlaceholder(":비고"_cp949, row),
                    blank || item.remark.empty() ? std::string(kNbsp) : FourByteLines(item.remark));
}

// More than four items: each row names its item and how many more there are, with the sums
// of all items.
void FillSummaryRow(PageFill& page, std::size_t row, const InvoiceItemTexts& item,
                    const StandardInvoiceRecord& record) {
    const bool blank = !FillRowDate(
        page, row, row == 1 ? RowMonthDay(item.date, RowDateForms::YearMonthDay) : std::nullopt);
    FillPlaceholder(page, NumberedPlaceholder(":품목"_cp949, row),
                    item.name.empty() && blank && row != 1
                        ? std::string(kNbsp)
                        : EscapeText(item.name) + " 외 "_cp949 +
                              std::to_string(record.itemCount - 1) + "건"_cp949);
    for (std::string_view prefix : {":규격"_cp949, ":수량"_cp949, ":단가"_cp949, ":비고"_cp949}) {
        FillPlaceholder(page, NumberedPlaceholder(prefix, row), kNbsp);
    }
    FillPlaceholder(page, NumberedPlaceholder(":공급가액"_cp949, row),
                    item.supplyAmount.empty() && blank
                        ? std::string(kNbsp)
                        : TextOrNbsp(FormatAmount(std::to_string(record.supplySum))));
    FillPlaceholder(page, NumberedPlaceholder(":세액"_cp949, row),
                    item.tax.empty() && blank
                        ? std::string(kNbsp)
                        : TextOrNbsp(FormatAmount(std::to_string(record.taxSum))));
}

void FillItems(PageFill& page, const StandardInvoiceRecord& record) {
    const bool summary = record.itemCount > static_cast<std::int64_t>(kStandardItemRows);
    for (std::size_t row = 1; row <= kStandardItemRows; ++row) {
        const InvoiceItemTexts& item = record.rows[row - 1];
        if (summary) {
            FillSummaryRow(page, row, item, record);
        } else {
            FillItemRow(page, row, item);
        }
    }
}

// Each payment entry "<code>^<amount>" goes to the cell of its code; the cells no entry
// reached are left empty.
void FillPayments(PageFill& page, const StandardInvoiceRecord& record) {
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
                FillPlaceholder(page, cell.placeholder, TextOrNbsp(FormatAmount(amount)));
        }
    }
    for (const Means& cell : means) FillPlaceholder(page, cell.placeholder, kNbsp);
}

void FillPage(PageFill& page, const StandardInvoiceRecord& record, std::string_view supplierSeal,
              std::string_view supplierSealPath) {
    FillPlaceholder(page, ":제목:"_cp949, Title(record.typeCode));
    FillParties(page, record);
    FillIssueDate(page, record.issueDate);
    DigitCells(page, ":공"_cp949, record.supplyTotal, 12);
    DigitCells(page, ":세"_cp949, record.taxTotal, 11);
    FillPlaceholder(page, ":수정사유:"_cp949, TextOrNbsp(record.descriptions[0]));
    FillPlaceholder(page, ":비고:"_cp949, TextOrNbsp(record.descriptions[1]));
    FillItems(page, record);
    FillPlaceholder(page, ":합계금액:"_cp949,
                    record.grandTotal.empty() || record.grandTotal == "0"
                        ? std::string("0")
                        : TextOrNbsp(FormatAmount(record.grandTotal)));
    FillPayments(page, record);
    FillPlaceholder(page, ":영수청구:"_cp949, "청구"_cp949);
    FillPlaceholder(page, ":승인번호:"_cp949, TextOrNbsp(record.approvalNumber));
    // The buyer's seal is never carried by this kind of invoice.
    FillPlaceholder(page, ":공급받는자인장:"_cp949, SealMark());
    SealCell(page, ":공급자인장:"_cp949, supplierSeal, SealMark(), SupplierSealTag(),
             ":인장2:"_cp949, supplierSealPath);
}

}  // namespace

void FillStandardInvoicePage(std::string& page, const StandardInvoiceRecord& record,
                             std::string_view supplierSeal, std::string_view supplierSealPath) {
    PageFill fill(page);  // a copy: a fill past the limit leaves the page as it was
    FillPage(fill, record, supplierSeal, supplierSealPath);
    page = fill.Take();
}

}  // namespace ledgra
