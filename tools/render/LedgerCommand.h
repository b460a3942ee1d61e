#pragma once
// ledgra-render --ledger FILE DOCUMENT|FOLDER...: the ledger of the documents written as a
// spreadsheet or CSV file, without a page or a seal image.

#include <filesystem>
#include <string>
#include <vector>

namespace ledgra {

// True when the arguments (without the program name) ask for a ledger.
bool IsLedgerCommand(const std::vector<std::string>& arguments);

// Runs it: prints "ledger<TAB>FILE<TAB>N documents<TAB>M failed" and returns 0 when the file
// was written, 1 when it could not be, 2 for a usage error. `defaultTrustFolder` serves when
// no --trust is given; the own number comes from --own-number, else the stored settings.
int RunLedgerCommand(const std::vector<std::string>& arguments,
                     const std::filesystem::path& defaultTrustFolder);

}  // namespace ledgra
