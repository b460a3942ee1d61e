#include "render/InvoicePage.h"

#include <array>

#include "render/DigitCells.h"
#include "render/FillPlan.h"
#include "render/Formatters.h"
#include "render/HtmlText.h"
#include "render/PlaceholderFill.h"
#include "render/SealCells.h"
#include "render/SealImages.h"
#include "text/ByteString.h"
#include "text/Cp949.h"

namespace ledgra {

const InvoiceFillRules kLegacyInvoiceFillRules{
    .separator = '^',
    .sixSevenCutForThirteen = true,
    .blankBothWhenFirstPartEmpty = false,
    .removeEscapedLineBreaks = true,
    .summaryRows = true,
    .rowDates = RowDateForms::YearMonthDay,
    .rowBlanking = RowBlanking::EmptyAndUndated,
    .spaceAfterStandardAndQuantity = true,
    .zeroGrandTotal = true,
    .receiptByIndicator = true,
};

const InvoiceFillRules kKeyValueInvoiceFillRules{
    .separator = '@',
    .sixSevenCutForThirteen = false,
    .blankBothWhenFirstPartEmpty = true,
    .removeEscapedLineBreaks = false,
    .summaryRows = false,
    .rowDates = RowDateForms::YearMonthDayOrMonthDay,
    .rowBlanking = RowBlanking::EmptyOrUndated,
    .spaceAfterStandardAndQuantity = false,
    .zeroGrandTotal = false,
    .receiptByIndicator = false,
};

namespace {

// The serial number's one-character cells.
constexpr std::int64_t kSerialNumberCells = 6;

class InvoicePageFill {
public:
    InvoicePageFill(PageFill& page, const InvoiceFields& fields, const InvoiceFillRules& rules)
        : m_page(page), m_table(fields.table), m_fields(fields), m_rules(rules) {}

    void Parties() {
        const std::string& supplierNumber = m_table[slot::kSupplierNumber];
        if (supplierNumber.empty()) {
            Fill(":등록번호P:"_cp949, kNbsp);
            Fill(":IMG:", "0000000000");
        } else {
            Fill(":IMG:", EscapeUrlPart(supplierNumber));
            Fill(":등록번호P:"_cp949, EscapeText(CutNumber(supplierNumber)));
        }
        // The supplier's name and company as they are; the business type trimmed and blank
        // when empty, the business item trimmed.
        Split(slot::kSupplierNames, ":성명P:"_cp949, {false, false}, ":상호P:"_cp949,
              {false, false});
        Split(slot::kSupplierBusiness, ":업태P:"_cp949, {true, true}, ":종목P:"_cp949,
              {true, false});
        Fill(":주소P:"_cp949, TextOrNbsp(m_table[slot::kSupplierAddress]));

        const std::string& buyerNumber = m_table[slot::kBuyerNumber];
        Fill(":등록번호R:"_cp949,
             buyerNumber.empty() ? std::string(kNbsp) : EscapeText(CutNumber(buyerNumber)));
        // Every part of the buyer's trimmed and blank when empty.
        Split(slot::kBuyerNames, ":성명R:"_cp949, {true, true}, ":상호R:"_cp949, {true, true});
        Split(slot::kBuyerBusiness, ":업태R:"_cp949, {true, true}, ":종목R:"_cp949, {true, true});
        Fill(":주소R:"_cp949, TextOrNbsp(m_table[slot::kBuyerAddress]));
    }

    void IssueDateAndAmounts() {
        const std::string_view date = m_table[slot::kIssueDate];
        const bool complete = date.size() == 8;
        Fill(":작성년:"_cp949, TextOrNbsp(complete ? date.substr(0, 4) : ""));
        Fill(":작성월:"_cp949, TextOrNbsp(complete ? date.substr(4, 2) : ""));
        Fill(":작성일:"_cp949, TextOrNbsp(complete ? date.substr(6, 2) : ""));
        Fill(":공란수:"_cp949, TextOrNbsp(m_table[slot::kBlankCells]));
        DigitCells(m_page, ":공"_cp949, m_table[slot::kSupplyAmount], 11);
        DigitCells(m_page, ":세"_cp949, m_table[slot::kTax], 10);
    }

    void Remarks() {
        const std::string& remarks = m_table[slot::kRemarks];
        if (remarks.empty()) {
            Fill(":비고:"_cp949, kNbsp);
        } else if (m_rules.removeEscapedLineBreaks) {
            Fill(":비고:"_cp949, EscapeText(ReplaceAll(remarks, "\\n", "")));
        } else {
            Fill(":비고:"_cp949, EscapeText(remarks));
        }
    }

    void Rows() {
        const bool summary =
            m_rules.summaryRows && m_fields.lineCount > static_cast<std::int64_t>(kInvoiceRows);
        for (std::size_t i = 0; i < kInvoiceRows; ++i) {
            if (!summary) {
                OwnRow(i);
            } else if (i == 0) {
                SummaryRow();
            } else {
                BlankRow(i);
            }
        }
    }

    void Totals() {
        const std::string& total = m_table[slot::kGrandTotal];
        if (total.empty() || total == "0") {
            Fill(":합계금액:"_cp949, m_rules.zeroGrandTotal ? std::string_view("0") : kNbsp);
        } else {
            Fill(":합계금액:"_cp949, FormatAmount(total));
        }
        const std::array<std::pair<std::size_t, const std::string*>, 4> payments{{
            {slot::kCash, &":현금:"_cp949},
            {slot::kCheque, &":수표:"_cp949},
            {slot::kPromissoryNote, &":어음:"_cp949},
            {slot::kCredit, &":외상미수금:"_cp949},
        }};
        for (const auto& [paid, placeholder] : payments) {
            const std::string& amount = m_table[paid];
            Fill(*placeholder,
                 amount.empty() || amount == "0" ? std::string(kNbsp) : FormatAmount(amount));
        }
        const std::string& indicator = m_table[slot::kDemandIndicator];
        const bool receipt = m_rules.receiptByIndicator && (indicator.empty() || indicator == "01");
        Fill(":영수청구:"_cp949, receipt ? "영수"_cp949 : "청구"_cp949);
    }

    void BookAndSerialNumber() {
        Fill(":권:"_cp949, TextOrNbsp(m_table[slot::kBookVolume]));
        Fill(":호:"_cp949, TextOrNbsp(m_table[slot::kBookNumber]));
        const std::string_view serial = m_table[slot::kSerialNumber];
        Fill(":일련번호:"_cp949, TextOrNbsp(serial));
        // The form also has the serial number in six cells, one character each from the left.
        for (std::int64_t k = 1; k <= kSerialNumberCells; ++k) {
            const std::size_t at = static_cast<std::size_t>(k - 1);
            Fill(NumberedPlaceholder(":일련번호"_cp949, k),
                 TextOrNbsp(at < serial.size() ? serial.substr(at, 1) : ""));
        }
    }

private:
    // How one part of a split slot is shown.
    struct PartRule {
        bool trim;
        bool blankWhenEmpty;
    };

    void Fill(std::string_view placeholder, std::string_view value) {
        FillPlaceholder(m_page, placeholder, value);
    }

    std::string CutNumber(std::string_view number) const {
        return m_rules.sixSevenCutForThirteen ? FormatBusinessNumber(number)
                                              : CutThreeTwoFive(number);
    }

    // A slot of two parts joined by the separator: without a separator, or when the slot is
    // only one character, both cells are blank.
    void Split(std::size_t slotNumber, std::string_view firstPlaceholder, PartRule firstRule,
               std::string_view secondPlaceholder, PartRule secondRule) {
        const std::string_view text = m_table[slotNumber];
        const std::size_t separator = text.find(m_rules.separator);
        const bool blank = separator == std::string_view::npos || text.size() == 1 ||
                           (m_rules.blankBothWhenFirstPartEmpty && separator == 0);
        if (blank) {
            Fill(firstPlaceholder, kNbsp);
            Fill(secondPlaceholder, kNbsp);
            return;
        }
        Fill(firstPlaceholder, Part(text.substr(0, separator), firstRule));
        Fill(secondPlaceholder, Part(text.substr(separator + 1), secondRule));
    }

    static std::string Part(std::string_view part, PartRule rule) {
        const std::string value = rule.trim ? Trim(part) : std::string(part);
        return rule.blankWhenEmpty ? TextOrNbsp(value) : EscapeText(value);
    }

    // A row's cell: "&nbsp;" as the rules blank it, otherwise the shown value.
    template <typename Shown>
    void Cell(std::string_view prefix, std::size_t i, bool dated, const std::string& value,
              Shown shown) {
        const bool blank = m_rules.rowBlanking == RowBlanking::EmptyAndUndated
                               ? value.empty() && !dated
                               : value.empty() || !dated;
        Fill(NumberedPlaceholder(prefix, Row(i)), blank ? std::string(kNbsp) : shown(value));
    }

    static std::int64_t Row(std::size_t i) { return static_cast<std::int64_t>(i + 1); }

    bool FillDate(std::size_t i) {
        return FillRowDate(m_page, Row(i),
                           RowMonthDay(m_table[slot::RowDate(i)], m_rules.rowDates));
    }

    void OwnRow(std::size_t i) {
        const bool dated = FillDate(i);
        const std::string_view space = m_rules.spaceAfterStandardAndQuantity ? kNbsp : "";
        const auto text = [](const std::string& value) { return EscapeText(value); };
        const auto spaced = [space](std::string value) { return value += space; };
        Cell(":품목"_cp949, i, dated, m_table[slot::ItemName(i)], text);
        Cell(":규격"_cp949, i, dated, m_table[slot::ItemStandard(i)],
             [&](const std::string& value) { return spaced(EscapeText(value)); });
        Cell(":수량"_cp949, i, dated, m_table[slot::Quantity(i)],
             [&](const std::string& value) { return spaced(EscapeText(GroupDigits(value))); });
        Cell(":단가"_cp949, i, dated, m_table[slot::UnitPrice(i)],
             [](const std::string& value) { return EscapeText(GroupDigits(value)); });
        Cell(":공급가액"_cp949, i, dated, m_table[slot::RowSupplyAmount(i)], FormatAmount);
        Cell(":세액"_cp949, i, dated, m_table[slot::RowTax(i)], FormatAmount);
        // The remark is never shown in a row without a date.
        const std::string& remark = m_table[slot::RowRemark(i)];
        Fill(NumberedPlaceholder(":비고"_cp949, Row(i)),
             remark.empty() || !dated ? std::string(kNbsp) : FourByteLines(remark));
    }

    // Row 1 names the first item and how many more lines there are, with the sums of all.
    void SummaryRow() {
        const bool dated = FillDate(0);
        Fill(":품목1:"_cp949, EscapeText(m_table[slot::ItemName(0)]) + " 외 "_cp949 +
                                  std::to_string(m_fields.lineCount - 1) + "건"_cp949);
        for (const std::string* prefix :
             {&":규격"_cp949, &":수량"_cp949, &":단가"_cp949, &":비고"_cp949}) {
            Fill(NumberedPlaceholder(*prefix, 1), kNbsp);
        }
        const auto sum = [](std::int64_t value) {
            return [value](const std::string&) { return FormatAmount(std::to_string(value)); };
        };
        Cell(":공급가액"_cp949, 0, dated, m_table[slot::RowSupplyAmount(0)],
             sum(m_fields.supplySum));
        Cell(":세액"_cp949, 0, dated, m_table[slot::RowTax(0)], sum(m_fields.taxSum));
    }

    void BlankRow(std::size_t i) {
        FillRowDate(m_page, Row(i), std::nullopt);
        for (const std::string* prefix :
             {&":품목"_cp949, &":규격"_cp949, &":수량"_cp949, &":단가"_cp949, &":공급가액"_cp949,
              &":세액"_cp949, &":비고"_cp949}) {
            Fill(NumberedPlaceholder(*prefix, Row(i)), kNbsp);
        }
    }

    PageFill& m_page;
    const InvoiceFieldTable& m_table;
    const InvoiceFields& m_fields;
    const InvoiceFillRules& m_rules;
};

}  // namespace

void FillInvoicePage(std::string& page, const InvoiceFields& fields, const InvoiceSeals& seals,
                     const std::filesystem::path& logFolder, const InvoiceFillRules& rules) {
    PageFill planned(page);  // a copy: a fill past the limit leaves the page as it was
    InvoicePageFill fill(planned, fields, rules);
    fill.Parties();
    fill.IssueDateAndAmounts();
    fill.Remarks();
    fill.Rows();
    fill.Totals();
    fill.BookAndSerialNumber();
    SealCell(planned, ":공급받는자인장:"_cp949, seals.buyer, SealMark(), BuyerSealTag(),
             ":인장1:"_cp949, SealImagePageText(logFolder, kBuyerSealFileName));
    SealCell(planned, ":공급자인장:"_cp949, seals.supplier, TextSealBox(), SupplierSealTag(),
             ":인장2:"_cp949, SealImagePageText(logFolder, kSupplierSealFileName));
    page = planned.Take();
}

}  // namespace ledgra
