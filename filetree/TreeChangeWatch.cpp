#include "filetree/TreeChangeWatch.h"

#include <QMetaObject>

#include <algorithm>

#include "filetree/TreeFileCtrl.h"
#include "filetree/TreeFileCtrlThreadInfo.h"

namespace ledgra {

namespace {

QString WithSeparator(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

}  // namespace

CTreeChangeWatch::CTreeChangeWatch(CTreeFileCtrl& tree) : m_tree(tree) {}

CTreeChangeWatch::~CTreeChangeWatch() {
    StopAll();
}

void CTreeChangeWatch::Start(const QString& root, bool showFiles) {
    const QString folder = WithSeparator(root);
    if (std::any_of(m_watches.begin(), m_watches.end(),
                    [&](const auto& watch) { return watch->m_strPath == folder; }))
        return;
    // Notices cross to the tree's thread. This record outlives its workers: it joins them
    // when it ends, and it ends with the tree.
    const std::uint64_t identity = m_nNextIdentity++;
    auto notice = [this, identity](const QString& changed) {
        QMetaObject::invokeMethod(
            &m_tree, [this, identity, changed] { OnChange(identity, changed); },
            Qt::QueuedConnection);
    };
    auto watch = std::make_unique<CTreeFileCtrlThreadInfo>(
        root, std::move(notice), static_cast<int>(m_watches.size()), identity);
    watch->Start(showFiles);
    m_watches.push_back(std::move(watch));
}

void CTreeChangeWatch::Stop(const QString& root) {
    const QString folder = WithSeparator(root);
    auto found = std::find_if(m_watches.begin(), m_watches.end(),
                              [&](const auto& watch) { return watch->m_strPath == folder; });
    if (found == m_watches.end()) return;
    // The record's destructor sets the stop event and waits for the worker.
    m_watches.erase(found);
}

void CTreeChangeWatch::StopAll() {
    for (const auto& watch : m_watches) watch->SignalStop();
    for (const auto& watch : m_watches) watch->Join();
    m_watches.clear();
}

std::vector<const CTreeFileCtrlThreadInfo*> CTreeChangeWatch::Watches() const {
    std::vector<const CTreeFileCtrlThreadInfo*> watches;
    for (const auto& watch : m_watches) watches.push_back(watch.get());
    return watches;
}

void CTreeChangeWatch::WatchFilledFolder(const QString& path) {
    const QString folder = WithSeparator(path);
    for (const auto& watch : m_watches)
        if (folder.startsWith(watch->m_strPath) && folder != watch->m_strPath) watch->Watch(path);
}

QTreeWidgetItem* CTreeChangeWatch::FindWatchedItem(const CTreeFileCtrlThreadInfo& watch,
                                                   const QString& folder) const {
    const QString root = watch.m_strPath.size() > 1 ? watch.m_strPath.chopped(1) : watch.m_strPath;
    QTreeWidgetItem* item =
        m_tree.IsWatchedRoot(root) ? m_tree.DocumentsItem() : m_tree.FindItemForPath(root);
    if (!item || folder == root) return item;
    const QStringList components =
        folder.mid(watch.m_strPath.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        item = m_tree.FindChildByName(item, component);
        if (!item) return nullptr;
    }
    return item;
}

void CTreeChangeWatch::OnChange(std::uint64_t identity, const QString& folder) {
    if (!m_tree.RefreshesAutomatically()) return;
    // Matched by identity: positions in the list move when watches stop.
    auto found = std::find_if(m_watches.begin(), m_watches.end(),
                              [&](const auto& watch) { return watch->m_nIdentity == identity; });
    if (found == m_watches.end()) return;
    QTreeWidgetItem* item = FindWatchedItem(**found, folder);
    // A folder that is not open shows nothing of its contents: it is read when it opens.
    if (!item || (!item->isExpanded() && item->childCount() == 0)) return;
    m_tree.ReloadFolderItem(item, folder);
}

}  // namespace ledgra
