#pragma once
// One row of the ledger: one document of a folder, read, verified and, when it is an invoice,
// checked. Texts are UTF-8.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "records/Finding.h"
#include "records/InvoiceRecord.h"
#include "verify/DocumentReading.h"

namespace ledgra {

enum class LedgerDocumentKind { Invoice, Contract, ContentPage, Failed };

// 구분: whose invoice it is from the user's side.
enum class TradeSide {
    None,      // neither party is the user (or no own number is set)
    Sale,      // 매출: the user is the supplier
    Purchase,  // 매입: the user is the buyer
};

struct LedgerRow {
    std::filesystem::path path;
    LedgerDocumentKind kind = LedgerDocumentKind::Failed;
    SignatureVerdict signature = SignatureVerdict::Failed;
    std::vector<std::string> signers;
    // Why a failed document failed.
    std::string failure;
    // Invoices only.
    std::optional<InvoiceRecord> invoice;
    std::vector<Finding> findings;

    // Set by the ledger when the row joins it.
    TradeSide side = TradeSide::None;
    // The row of the invoice this amended invoice amends, when that is in the ledger.
    std::optional<std::size_t> original;
    // Another row carries the same approval number.
    bool duplicateApproval = false;

    std::size_t ErrorCount() const;
    std::size_t WarningCount() const;
    bool HasErrors() const { return kind == LedgerDocumentKind::Failed || ErrorCount() > 0; }
};

}  // namespace ledgra
