#pragma once
// One reading of a ledger's folder, off the interface thread: the folder is walked and its
// documents read on the pool of ledger/, while the window takes the rows read so far whenever
// it looks. Dropping the job cancels it and waits for the documents in hand.

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ledger/LedgerRow.h"
#include "records/InvoiceRecord.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

class LedgerReadJob {
public:
    LedgerReadJob(std::filesystem::path folder, bool withSubFolders,
                  SignedDataVerifierFactory verifierFactory, CalendarDate today);
    ~LedgerReadJob();
    LedgerReadJob(const LedgerReadJob&) = delete;
    LedgerReadJob& operator=(const LedgerReadJob&) = delete;

    // No document is begun after this and no row handed out.
    void Cancel() { m_cancelled = true; }
    // The rows read since the last call, in the documents' order.
    std::vector<LedgerRow> TakeRows();
    // The number of documents, once the folder is walked.
    std::optional<std::size_t> DocumentCount() const;
    // Every row is handed out (or the job was cancelled) and the threads are done.
    bool Finished() const { return m_finished; }

private:
    void Run(std::filesystem::path folder, bool withSubFolders,
             SignedDataVerifierFactory verifierFactory, CalendarDate today);

    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_finished{false};
    std::atomic<std::size_t> m_documentCount{0};
    std::atomic<bool> m_counted{false};
    std::mutex m_mutex;
    std::vector<LedgerRow> m_rows;
    // Last, so it starts once every member above exists and is joined before they go.
    std::jthread m_thread;
};

}  // namespace ledgra
