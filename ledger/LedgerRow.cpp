#include "ledger/LedgerRow.h"

#include <algorithm>

namespace ledgra {

std::size_t LedgerRow::ErrorCount() const {
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(),
                      [](const Finding& f) { return f.severity == Severity::Error; }));
}

std::size_t LedgerRow::WarningCount() const {
    return findings.size() - ErrorCount();
}

}  // namespace ledgra
