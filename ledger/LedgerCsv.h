#pragma once
// A ledger table as CSV: UTF-8 with a byte-order mark (so spreadsheet programs read Korean),
// comma separated, RFC 4180 quoting and line ends, dates YYYY-MM-DD, amounts plain integers.

#include <filesystem>
#include <string>

#include "ledger/LedgerSheets.h"

namespace ledgra {

// The bytes of the file. A text that a spreadsheet would take for a formula (one starting with
// "=", "+", "-", "@", a tab or a carriage return) gets a leading "'": the texts come from
// documents, and a document must not be able to plant a formula in the user's spreadsheet.
std::string CsvBytes(const LedgerSheet& sheet);

// Writes the list to `file` and the line items beside it as "<name>-품목.csv", each whole or
// not at all. False when either could not be written.
bool WriteLedgerCsv(const LedgerSheets& sheets, const std::filesystem::path& file);

// "<folder>/<stem>-품목.csv" for "<folder>/<stem>.csv".
std::filesystem::path CsvItemsFile(const std::filesystem::path& file);

}  // namespace ledgra
