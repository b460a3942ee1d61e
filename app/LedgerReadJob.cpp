#include "app/LedgerReadJob.h"

#include <algorithm>
#include <utility>

#include "base/DocumentFiles.h"
#include "ledger/LedgerReading.h"

namespace ledgra {

LedgerReadJob::LedgerReadJob(std::filesystem::path folder, bool withSubFolders,
                             SignedDataVerifierFactory verifierFactory, CalendarDate today)
    : m_thread([this, folder = std::move(folder), withSubFolders,
                verifierFactory = std::move(verifierFactory), today]() mutable {
          Run(std::move(folder), withSubFolders, std::move(verifierFactory), today);
      }) {}

LedgerReadJob::~LedgerReadJob() {
    Cancel();
    // m_thread joins as it goes.
}

void LedgerReadJob::Run(std::filesystem::path folder, bool withSubFolders,
                        SignedDataVerifierFactory verifierFactory, CalendarDate today) {
    const std::vector<std::filesystem::path> documents = FindDocuments({folder}, withSubFolders).documents;
    m_documentCount = documents.size();
    m_counted = true;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    ReadLedgerRows(
        documents,
        [&](const std::filesystem::path& path) {
            return ReadLedgerRow(path, verifierFactory, today);
        },
        threads,
        [this](std::size_t, LedgerRow row) {
            const std::lock_guard lock(m_mutex);
            m_rows.push_back(std::move(row));
        },
        m_cancelled);
    m_finished = true;
}

std::vector<LedgerRow> LedgerReadJob::TakeRows() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_rows, {});
}

std::optional<std::size_t> LedgerReadJob::DocumentCount() const {
    if (!m_counted) return std::nullopt;
    return m_documentCount.load();
}

}  // namespace ledgra
