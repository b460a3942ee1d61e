#pragma once
// The save dialog of the ledger's export: the file type chosen in it (spreadsheet or CSV)
// gives a name typed without an extension its extension, before the dialog asks whether an
// existing file may be replaced (and, for a new CSV file, whether an existing line items' file
// beside it may be).

#include <filesystem>

class QWidget;

namespace ledgra {

// Empty when the user cancelled.
std::filesystem::path ChooseLedgerFileInDialog(QWidget* parent,
                                               const std::filesystem::path& proposed);

}  // namespace ledgra
