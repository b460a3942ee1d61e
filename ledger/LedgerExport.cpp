#include "ledger/LedgerExport.h"

#include "ledger/LedgerCsv.h"
#include "ledger/LedgerSheets.h"
#include "ledger/LedgerXlsx.h"

namespace ledgra {

std::optional<LedgerFileType> LedgerFileTypeOf(const std::filesystem::path& file) {
    std::string extension = file.extension().native();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (extension == ".xlsx") return LedgerFileType::Xlsx;
    if (extension == ".csv") return LedgerFileType::Csv;
    return std::nullopt;
}

bool ExportLedger(const LedgerModel& ledger, const std::filesystem::path& file) {
    const std::optional<LedgerFileType> type = LedgerFileTypeOf(file);
    if (!type) return false;
    const LedgerSheets sheets = MakeLedgerSheets(ledger);
    return *type == LedgerFileType::Xlsx ? WriteLedgerXlsx(sheets, file)
                                         : WriteLedgerCsv(sheets, file);
}

}  // namespace ledgra
