#include "filetree/FolderReader.h"

#include <QMetaObject>

#include <algorithm>
#include <thread>
#include <utility>

#include "filetree/FolderListing.h"
#include "filetree/MountTable.h"

namespace ledgra {

bool ListingRules::ShowsFolder(const FolderEntry& entry) const {
    return entry.m_bIsDirectory && entry.m_strName != QLatin1String(".") &&
           entry.m_strName != QLatin1String("..") &&
           (entry.m_dwAttributes & m_dwHiddenFolderAttributes) == 0;
}

bool ListingRules::ShowsDocument(const FolderEntry& entry) const {
    if (!m_bShowFiles || entry.m_bIsDirectory || (entry.m_dwAttributes & m_dwHiddenFileAttributes))
        return false;
    return std::any_of(
        m_DocumentPatterns.begin(), m_DocumentPatterns.end(),
        [&](const QString& pattern) { return MatchesPattern(entry.m_strName, pattern); });
}

bool FolderHoldsShownEntry(const QString& path, const ListingRules& rules,
                           const QStringList& slowMountRoots) {
    if (rules.m_unreadRoots.contains(path) || IsOnSlowMount(path, slowMountRoots)) return true;
    bool found = false;
    ForEachFolderEntry(path, [&](const FolderEntry& entry) {
        found = rules.ShowsFolder(entry) || rules.ShowsDocument(entry);
        return !found;
    });
    return found;
}

FolderContents ReadFolderContents(const QString& path, const ListingRules& rules,
                                  const std::atomic<bool>& cancelled) {
    FolderContents contents;
    if (KindOfPath(path) != PathKind::Folder) return contents;
    contents.m_bIsFolder = true;
    const QStringList slowRoots = SlowMountRoots(ReadMountTable());
    ForEachFolderEntry(path, [&](const FolderEntry& entry) {
        if (cancelled) return false;
        if (rules.ShowsFolder(entry))
            contents.m_entries.push_back(
                {entry, FolderHoldsShownEntry(entry.m_strFullPath, rules, slowRoots)});
        else if (rules.ShowsDocument(entry))
            contents.m_entries.push_back({entry, false});
        return true;
    });
    return contents;
}

std::shared_ptr<PendingListing> PendingListing::Start(const QString& path, ListingRules rules,
                                                      FolderLister lister) {
    std::shared_ptr<PendingListing> listing(new PendingListing(path));
    // Detached: a call into a mount that never answers never returns, and nobody may wait
    // for it. The thread keeps the listing alive through its own reference.
    std::thread([listing, rules = std::move(rules), lister = std::move(lister)] {
        FolderContents result;
        try {
            result = lister(listing->m_path, rules, listing->m_cancelled);
        } catch (...) {
            result = FolderContents();  // no memory for the entries: shown as unreadable
        }
        listing->Finish(std::move(result), listing->m_cancelled);
    }).detach();
    return listing;
}

bool PendingListing::WaitFor(int timeoutMs) {
    std::unique_lock lock(m_mutex);
    return m_finished.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this] { return m_bDone; });
}

bool PendingListing::IsDone() {
    std::lock_guard lock(m_mutex);
    return m_bDone;
}

void PendingListing::NotifyWhenDone(QObject* receiver, std::function<void()> onDone) {
    std::lock_guard lock(m_mutex);
    if (m_bDone) {
        QMetaObject::invokeMethod(receiver, std::move(onDone), Qt::QueuedConnection);
        return;
    }
    m_receiver = receiver;
    m_onDone = std::move(onDone);
}

void PendingListing::Forget() {
    std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
    m_onDone = nullptr;
}

void PendingListing::Finish(FolderContents result, bool abandoned) {
    std::lock_guard lock(m_mutex);
    m_result = std::move(result);
    m_bAbandoned = abandoned;
    m_bDone = true;
    m_finished.notify_all();
    // Under the lock, so that the receiver cannot go between the test and the posting; Qt
    // drops calls posted to an object deleted before they run.
    if (m_receiver)
        QMetaObject::invokeMethod(m_receiver, std::move(m_onDone), Qt::QueuedConnection);
    m_receiver = nullptr;
}

}  // namespace ledgra
