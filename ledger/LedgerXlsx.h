#pragma once
// The ledger as a spreadsheet (Office Open XML, written with libxlsxwriter): one worksheet per
// table, dates as date cells, amounts as numbers with thousands separators, a bold frozen
// header with an auto-filter, column widths for their content, and a totals row under the
// list that follows the filter a spreadsheet applies.

#include <filesystem>

#include "ledger/LedgerSheets.h"

namespace ledgra {

// Writes the workbook to `file` whole or not at all: it is written beside the file under a
// new name and takes the file's name only once complete. False when it could not be written.
bool WriteLedgerXlsx(const LedgerSheets& sheets, const std::filesystem::path& file);

}  // namespace ledgra
