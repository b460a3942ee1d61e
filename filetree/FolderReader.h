#pragma once
// Reading a folder for the file tree off the interface thread. A folder on a network or FUSE
// mount may never answer: the tree waits a bounded time for the listing and, past it, shows a
// placeholder until the listing ends; a listing that cannot end is abandoned, never joined.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "filetree/FolderEntry.h"

namespace ledgra {

// The tree's filters, copied for a listing that runs on another thread.
struct ListingRules {
    bool m_bShowFiles = true;
    std::uint32_t m_dwHiddenFileAttributes = 0;
    std::uint32_t m_dwHiddenFolderAttributes = 0;
    QStringList m_DocumentPatterns;
    // Roots whose media is not touched: an entry here gets an expand button unread.
    QStringList m_unreadRoots;

    bool ShowsFolder(const FolderEntry& entry) const;
    bool ShowsDocument(const FolderEntry& entry) const;  // a shown file of a document pattern
};

struct ListedEntry {
    FolderEntry m_entry;
    bool m_bHasEntries = false;  // a sub-folder holds something shown (or was not asked)
};

struct FolderContents {
    bool m_bIsFolder = false;
    std::vector<ListedEntry> m_entries;  // the folders and documents the rules show
};

// Whether a folder holds a folder or document the rules show; stops at the first. A root of
// the rules' unread list, or a folder on a mount that may not answer, counts as holding one.
bool FolderHoldsShownEntry(const QString& path, const ListingRules& rules,
                           const QStringList& slowMountRoots);

using FolderLister = std::function<FolderContents(const QString& path, const ListingRules& rules,
                                                  const std::atomic<bool>& cancelled)>;

// The folders and documents of a folder, each sub-folder with whether it holds something;
// stops early (with what it has) once cancelled is set.
FolderContents ReadFolderContents(const QString& path, const ListingRules& rules,
                                  const std::atomic<bool>& cancelled);

// One listing running on a thread of its own.
class PendingListing {
public:
    static std::shared_ptr<PendingListing> Start(const QString& path, ListingRules rules,
                                                 FolderLister lister);

    const QString& Path() const { return m_path; }
    // Waits up to timeoutMs for the listing; true once it has ended.
    bool WaitFor(int timeoutMs);
    bool IsDone();
    // The result of an ended listing.
    const FolderContents& Result() const { return m_result; }
    // Asks the listing to stop; Resume takes that back while it still runs.
    void Cancel() { m_cancelled = true; }
    void Resume() { m_cancelled = false; }
    // Cancelled now, or ended early because it was.
    bool IsCancelled() const { return m_cancelled || m_bAbandoned; }
    // Calls onDone on the receiver's thread once the listing ends (at once through the event
    // loop when it has already ended); Forget() drops the call before the receiver goes.
    void NotifyWhenDone(QObject* receiver, std::function<void()> onDone);
    void Forget();

private:
    explicit PendingListing(const QString& path) : m_path(path) {}
    void Finish(FolderContents result, bool abandoned);

    const QString m_path;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_bDone = false;
    std::atomic<bool> m_bAbandoned{false};
    FolderContents m_result;
    QObject* m_receiver = nullptr;
    std::function<void()> m_onDone;
};

}  // namespace ledgra
