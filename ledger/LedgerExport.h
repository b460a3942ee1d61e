#pragma once
// Saving the rows the ledger shows (after its filter and sort order) as a spreadsheet or CSV,
// chosen by the file's extension.

#include <filesystem>
#include <optional>

#include "ledger/LedgerModel.h"

namespace ledgra {

enum class LedgerFileType { Xlsx, Csv };

// ".xlsx" or ".csv" in any case; nothing for another extension.
std::optional<LedgerFileType> LedgerFileTypeOf(const std::filesystem::path& file);

// Writes the file (a CSV file with its "-품목.csv" beside it) whole or not at all. False when
// it could not be written or its extension is neither.
bool ExportLedger(const LedgerModel& ledger, const std::filesystem::path& file);

}  // namespace ledgra
