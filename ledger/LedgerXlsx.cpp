#include "ledger/LedgerXlsx.h"

#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <memory>
#include <system_error>

namespace ledgra {
namespace {

// A cell holds at most this many characters; longer texts are cut.
constexpr std::size_t kMaxCellText = 32767;
constexpr lxw_row_t kMaxRows = 1048576;

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

struct Formats {
    lxw_format* header;
    lxw_format* date;
    lxw_format* amount;
    lxw_format* totalText;
    lxw_format* totalAmount;
};

Formats AddFormats(lxw_workbook* workbook) {
    Formats formats{};
    formats.header = workbook_add_format(workbook);
    format_set_bold(formats.header);
    formats.date = workbook_add_format(workbook);
    format_set_num_format(formats.date, "yyyy-mm-dd");
    formats.amount = workbook_add_format(workbook);
    format_set_num_format(formats.amount, "#,##0");
    formats.totalText = workbook_add_format(workbook);
    format_set_bold(formats.totalText);
    formats.totalAmount = workbook_add_format(workbook);
    format_set_bold(formats.totalAmount);
    format_set_num_format(formats.totalAmount, "#,##0");
    return formats;
}

std::string CellText(const std::string& text) {
    std::string valid = ValidUtf8(text);
    if (valid.size() <= kMaxCellText) return valid;
    std::size_t cut = kMaxCellText;
    while (cut > 0 && (static_cast<unsigned char>(valid[cut]) & 0xC0) == 0x80) --cut;
    valid.resize(cut);
    return valid;
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const LedgerCell& cell,
                    const Formats& formats) {
    if (const auto* amount = std::get_if<std::int64_t>(&cell)) {
        return worksheet_write_number(sheet, row, column, static_cast<double>(*amount),
                                      formats.amount);
    }
    if (const auto* date = std::get_if<CalendarDate>(&cell)) {
        // Spreadsheet dates start in 1900.
        if (date->year >= 1900 && date->year <= 9999) {
            lxw_datetime value{date->year, date->month, date->day, 0, 0, 0};
            return worksheet_write_datetime(sheet, row, column, &value, formats.date);
        }
    }
    if (std::holds_alternative<std::monostate>(cell)) return LXW_NO_ERROR;
    return worksheet_write_string(sheet, row, column, CellText(PlainText(cell)).c_str(), nullptr);
}

lxw_error WriteTotals(lxw_worksheet* sheet, const LedgerSheet& table, const Formats& formats) {
    const auto totalsRow = static_cast<lxw_row_t>(table.rows.size() + 1);
    const std::string label = "합계 " + std::to_string(table.rows.size()) + "건";
    lxw_error error = worksheet_write_string(sheet, totalsRow, 0, label.c_str(), formats.totalText);
    for (std::size_t column = 0; error == LXW_NO_ERROR && column < table.columns.size(); ++column) {
        if (table.columns[column].kind != CellKind::Amount) continue;
        double sum = 0;
        for (const auto& row : table.rows) {
            if (const auto* amount = std::get_if<std::int64_t>(&row[column])) {
                sum += static_cast<double>(*amount);
            }
        }
        const auto col = static_cast<lxw_col_t>(column);
        char range[64];
        lxw_rowcol_to_range(range, 1, col, totalsRow - 1, col);
        // SUBTOTAL leaves out the rows a filter hides; the value is there for readers that do
        // not calculate.
        const std::string formula = "=SUBTOTAL(109," + std::string(range) + ")";
        error = worksheet_write_formula_num(sheet, totalsRow, col, formula.c_str(),
                                            formats.totalAmount, sum);
    }
    return error;
}

lxw_error WriteSheet(lxw_workbook* workbook, const LedgerSheet& table, const Formats& formats) {
    if (table.rows.size() + 2 > kMaxRows) return LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, std::string(table.name).c_str());
    if (!sheet) return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_error error = LXW_NO_ERROR;
    for (std::size_t column = 0; error == LXW_NO_ERROR && column < table.columns.size(); ++column) {
        const SheetColumn& header = table.columns[column];
        const auto col = static_cast<lxw_col_t>(column);
        error = worksheet_set_column(sheet, col, col, header.width, nullptr);
        if (error == LXW_NO_ERROR) {
            error = worksheet_write_string(sheet, 0, col, std::string(header.title).c_str(),
                                           formats.header);
        }
    }
    for (std::size_t row = 0; error == LXW_NO_ERROR && row < table.rows.size(); ++row) {
        for (std::size_t column = 0; error == LXW_NO_ERROR && column < table.columns.size();
             ++column) {
            error = WriteCell(sheet, static_cast<lxw_row_t>(row + 1),
                              static_cast<lxw_col_t>(column), table.rows[row][column], formats);
        }
    }
    if (error != LXW_NO_ERROR) return error;
    const auto lastColumn = static_cast<lxw_col_t>(table.columns.size() - 1);
    worksheet_freeze_panes(sheet, 1, 0);
    error =
        worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(table.rows.size()), lastColumn);
    if (error == LXW_NO_ERROR && table.totalsRow) error = WriteTotals(sheet, table, formats);
    return error;
}

}  // namespace

bool WriteLedgerXlsx(const LedgerSheets& sheets, const std::filesystem::path& file) {
    // A new file of our own beside the target; the workbook is written into it.
    std::string temporary = file.native() + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) return false;
    const bool owned = ::fchmod(descriptor, 0644) == 0;
    close(descriptor);
    std::error_code ignored;

    bool written = false;
    if (owned) {
        std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(temporary.c_str()));
        if (workbook) {
            const Formats formats = AddFormats(workbook.get());
            written = true;
            for (const LedgerSheet* table :
                 {&sheets.list, &sheets.items, &sheets.summary, &sheets.findings}) {
                if (WriteSheet(workbook.get(), *table, formats) != LXW_NO_ERROR) {
                    written = false;
                    break;
                }
            }
            written = workbook_close(workbook.release()) == LXW_NO_ERROR && written;
        }
    }
    if (written) {
        std::filesystem::rename(temporary, file, ignored);
        written = !ignored;
    }
    if (!written) std::filesystem::remove(temporary, ignored);
    return written;
}

}  // namespace ledgra
