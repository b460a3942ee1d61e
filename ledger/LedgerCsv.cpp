#include "ledger/LedgerCsv.h"

#include "base/FileAccess.h"

namespace ledgra {
namespace {

std::string Field(const LedgerCell& cell) {
    std::string text = PlainText(cell);
    if (std::holds_alternative<std::string>(cell) && !text.empty() &&
        std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        text.insert(0, 1, '\'');
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void AppendRecord(std::string& bytes, const std::vector<LedgerCell>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) bytes += ',';
        bytes += Field(cells[i]);
    }
    bytes += "\r\n";
}

}  // namespace

std::string CsvBytes(const LedgerSheet& sheet) {
    std::string bytes = "\xEF\xBB\xBF";
    std::vector<LedgerCell> titles;
    for (const SheetColumn& column : sheet.columns) titles.emplace_back(std::string(column.title));
    AppendRecord(bytes, titles);
    for (const std::vector<LedgerCell>& row : sheet.rows) AppendRecord(bytes, row);
    return bytes;
}

std::filesystem::path CsvItemsFile(const std::filesystem::path& file) {
    std::filesystem::path items = file;
    items.replace_filename(file.stem().native() + "-품목.csv");
    return items;
}

bool WriteLedgerCsv(const LedgerSheets& sheets, const std::filesystem::path& file) {
    return WriteOwnFile(file, CsvBytes(sheets.list)) &&
           WriteOwnFile(CsvItemsFile(file), CsvBytes(sheets.items));
}

}  // namespace ledgra
