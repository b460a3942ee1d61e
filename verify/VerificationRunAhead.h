#pragma once
// Checks of the documents a host will run next, made on other threads while its runs work on
// the ones before: a command line that names its documents up front keeps every core busy, and
// its output stays the serial run's byte for byte. A run takes a document's check only when it
// is the next one named, in the form named, and its file has not changed since it was read;
// otherwise it checks the document itself, as it does one no thread has begun. A run whose
// document another thread is checking checks a later one meanwhile rather than wait.

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "base/UserInterface.h"
#include "verify/SignedContainer.h"
#include "verify/SignedDataVerifier.h"
#include "verify/TrustStore.h"
#include "verify/VerificationRun.h"

namespace ledgra {

// While one lives on a thread, the runs on that thread take their checks from it. Does not
// nest; is used from the thread that made it.
class VerificationRunAhead {
public:
    // Checks `documents` in `mode` on up to `threads` threads besides the runs' own, a bounded
    // number ahead of the runs that take them; `verifierFactory` is called on all of them at
    // once.
    VerificationRunAhead(std::vector<std::filesystem::path> documents, UnwrapMode mode,
                         SignedDataVerifierFactory verifierFactory, unsigned threads);
    // Stops the checking and waits for the threads.
    ~VerificationRunAhead();
    VerificationRunAhead(const VerificationRunAhead&) = delete;
    VerificationRunAhead& operator=(const VerificationRunAhead&) = delete;

    struct Checked;

private:
    friend std::optional<DocumentCheck> TakeCheckedAhead(const std::filesystem::path& path,
                                                         UnwrapMode mode, UserInterface& ui);
    std::optional<DocumentCheck> Take(const std::filesystem::path& path, UnwrapMode mode,
                                      UserInterface& ui);
    std::unique_ptr<Checked> Check(std::size_t index) const;
    // Called with m_mutex held.
    bool MayBegin() const;
    void Keep(std::size_t index, std::unique_ptr<Checked> checked);
    void CheckOnThread();

    const std::vector<std::filesystem::path> m_documents;
    const UnwrapMode m_mode;
    const SignedDataVerifierFactory m_verifierFactory;
    const std::size_t m_kept;
    // The runs' thread reads the trust folder once for the whole batch, as each checking
    // thread does.
    TrustStoreRunCache m_trustFolderReadOnce;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // By index: the next document the runs will take and the next no thread has begun.
    std::size_t m_nextTaken = 0;
    std::size_t m_nextToBegin = 0;
    // The checks made and not yet taken, by index, and their bytes.
    std::vector<std::unique_ptr<Checked>> m_done;
    std::size_t m_doneBytes = 0;
    bool m_stopped = false;
    // Last: the threads end before what they use goes.
    std::vector<std::jthread> m_checking;
};

// For a host that runs `documents` in `mode`, one after the other, on this thread: their checks
// made ahead on the cores its own thread leaves (at least one thread), or nothing where there is
// nothing to gain (a single document).
std::optional<VerificationRunAhead> CheckAhead(const std::vector<std::filesystem::path>& documents,
                                               UnwrapMode mode,
                                               const SignedDataVerifierFactory& verifierFactory);

// The check of `path` in `mode` made ahead on this thread's VerificationRunAhead, what it told
// the user told again to `ui`; nothing when there is none to take.
std::optional<DocumentCheck> TakeCheckedAhead(const std::filesystem::path& path, UnwrapMode mode,
                                              UserInterface& ui);

}  // namespace ledgra
