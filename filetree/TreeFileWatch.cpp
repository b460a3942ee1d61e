// The file tree's change watches: starting and stopping the workers, and refilling a folder
// when its names change.

#include <QMetaObject>

#include <algorithm>

#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"
#include "filetree/TreeFileCtrlThreadInfo.h"

namespace ledgra {

namespace {

QString WithSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

}  // namespace

bool CTreeFileCtrl::IsWatchedRoot(const QString& path) const {
    return !path.isEmpty() && path == m_strDocumentsPath && DocumentsItem();
}

bool CTreeFileCtrl::CanWatchPath(const QString& path) const {
    const VolumeInfo* volume = VolumeContaining(path, m_volumes);
    if (!volume || IsSlowPath(path)) return false;
    return !IsRemovableDrive(volume->m_strRoot);
}

void CTreeFileCtrl::StartDriveWatch(const QString& path) {
    const QString root = WithSeparator(path);
    if (std::any_of(m_watches.begin(), m_watches.end(),
                    [&](const auto& watch) { return watch->m_strPath == root; }))
        return;
    // Notices cross to this thread. The tree outlives its workers: it joins them when it ends.
    const std::uint64_t identity = m_nNextWatchIdentity++;
    auto notice = [tree = this, identity](const QString& folder) {
        QMetaObject::invokeMethod(
            tree, [tree, identity, folder] { tree->OnWatchChange(identity, folder); },
            Qt::QueuedConnection);
    };
    auto watch = std::make_unique<CTreeFileCtrlThreadInfo>(
        path, std::move(notice), static_cast<int>(m_watches.size()), identity);
    watch->Start(m_bShowFiles);
    m_watches.push_back(std::move(watch));
}

void CTreeFileCtrl::StopDriveWatch(const QString& path) {
    const QString root = WithSeparator(path);
    auto found = std::find_if(m_watches.begin(), m_watches.end(),
                              [&](const auto& watch) { return watch->m_strPath == root; });
    if (found == m_watches.end()) return;
    // The record's destructor sets the stop event and waits for the worker.
    m_watches.erase(found);
}

void CTreeFileCtrl::StopAllDriveWatches() {
    for (const auto& watch : m_watches) watch->SignalStop();
    for (const auto& watch : m_watches) watch->Join();
    m_watches.clear();
}

std::vector<const CTreeFileCtrlThreadInfo*> CTreeFileCtrl::DriveWatches() const {
    std::vector<const CTreeFileCtrlThreadInfo*> watches;
    for (const auto& watch : m_watches) watches.push_back(watch.get());
    return watches;
}

void CTreeFileCtrl::WatchFilledFolder(const QString& path) {
    if (m_watches.empty() || IsSlowPath(path)) return;
    const QString folder = WithSeparator(path);
    for (const auto& watch : m_watches)
        if (folder.startsWith(watch->m_strPath) && folder != watch->m_strPath) watch->Watch(path);
}

QTreeWidgetItem* CTreeFileCtrl::FindWatchedItem(const CTreeFileCtrlThreadInfo& watch,
                                                const QString& folder) const {
    const QString root = watch.m_strPath.size() > 1 ? watch.m_strPath.chopped(1) : watch.m_strPath;
    QTreeWidgetItem* item = IsWatchedRoot(root) ? DocumentsItem() : FindItemForPath(root);
    if (!item || folder == root) return item;
    const QStringList components =
        folder.mid(watch.m_strPath.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        item = FindChildByName(item, component);
        if (!item) return nullptr;
    }
    return item;
}

void CTreeFileCtrl::OnWatchChange(std::uint64_t identity, const QString& folder) {
    if (!m_bAutomaticRefresh) return;
    // Matched by identity: positions in the list move when watches stop.
    auto found = std::find_if(m_watches.begin(), m_watches.end(),
                              [&](const auto& watch) { return watch->m_nIdentity == identity; });
    if (found == m_watches.end()) return;
    QTreeWidgetItem* item = FindWatchedItem(**found, folder);
    // A folder that is not open shows nothing of its contents: it is read when it opens.
    if (!item || (!item->isExpanded() && item->childCount() == 0)) return;

    RedrawSuspended suspended(this);
    QTreeWidgetItem* caret = currentItem();
    const QString caretPath = GetItemPath(caret);
    const bool caretExpanded = caret && caret->isExpanded();
    // The folder's children are replaced by what it holds now.
    if (caret && caret != item) {
        for (QTreeWidgetItem* parent = caret->parent(); parent; parent = parent->parent())
            if (parent == item) setCurrentItem(item);
    }
    CancelPendingChildren(item);
    qDeleteAll(item->takeChildren());
    SetChildFlag(item, true);
    FillFolderItem(folder, item, false);
    if (item->childCount() > 0 && !item->isExpanded()) item->setExpanded(true);
    if (!caretPath.isEmpty() && GetItemPath(currentItem()) != caretPath)
        SelectPath(caretPath, caretExpanded);
}

}  // namespace ledgra
