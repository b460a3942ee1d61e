#pragma once
// ledgra-render --check: each document is verified as the run verifies it (with its event
// lines) and, when it is an invoice, checked; no page and no seal image is written. Besides the
// event lines, one UTF-8 line per finding and one per checked invoice:
//   check<TAB>PATH<TAB>RULE<TAB>SEVERITY<TAB>MESSAGE
//   checked<TAB>PATH<TAB>N errors<TAB>M warnings
//   unreadable<TAB>PATH      (verified, but its content does not read as an invoice)

#include <filesystem>
#include <string>
#include <vector>

namespace ledgra {

// True when the arguments (without the program name) ask for the check.
bool IsCheckCommand(const std::vector<std::string>& arguments);

// Runs the check; returns the exit status: 0 when no document failed and no finding is an
// error, 1 otherwise, 2 for a usage error. `defaultTrustFolder` serves without --trust.
int RunCheckCommand(const std::vector<std::string>& arguments,
                    const std::filesystem::path& defaultTrustFolder);

}  // namespace ledgra
