#pragma once
// Reading the ledger's documents: each one verified as the show run verifies it, its invoice
// record read and checked, and nothing written (no page, no seal image). Many documents are
// read at once on a small pool of threads, and the rows come out in the documents' order as
// soon as they are ready.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <vector>

#include "ledger/LedgerRow.h"
#include "records/InvoiceRecord.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

// One document's row. `today` is the day the checks compare dates with.
LedgerRow ReadLedgerRow(const std::filesystem::path& path,
                        const SignedDataVerifierFactory& verifierFactory,
                        const CalendarDate& today);

using LedgerRowReader = std::function<LedgerRow(const std::filesystem::path& path)>;
// Called with the position of the document among those given and its row.
using LedgerRowSink = std::function<void(std::size_t index, LedgerRow row)>;

// Reads the documents with `read` on up to `threads` threads (at least one) and hands each row
// to `sink` once it and every row before it are read: in order, one call at a time, from the
// reading threads. Once `cancelled` is seen set no document is begun and no row handed out.
// Returns the number of rows handed out.
std::size_t ReadLedgerRows(const std::vector<std::filesystem::path>& documents,
                           const LedgerRowReader& read, unsigned threads, const LedgerRowSink& sink,
                           const std::atomic<bool>& cancelled);

}  // namespace ledgra
