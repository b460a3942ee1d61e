#pragma once
// The file tree's change watching, which exists only while the tree refreshes by itself: one
// worker per expanded watched root, and the refill of an open folder whose names changed.

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class QTreeWidgetItem;

namespace ledgra {

class CTreeFileCtrl;
class CTreeFileCtrlThreadInfo;

class CTreeChangeWatch {
public:
    explicit CTreeChangeWatch(CTreeFileCtrl& tree);
    // Stops every worker and waits for it.
    ~CTreeChangeWatch();
    CTreeChangeWatch(const CTreeChangeWatch&) = delete;
    CTreeChangeWatch& operator=(const CTreeChangeWatch&) = delete;

    // Starts the worker of a root unless one runs; with showFiles file names count too.
    void Start(const QString& root, bool showFiles);
    void Stop(const QString& root);
    void StopAll();
    // The watches running, oldest first.
    std::vector<const CTreeFileCtrlThreadInfo*> Watches() const;
    // Adds a folder just filled to the watch of its root.
    void WatchFilledFolder(const QString& path);

private:
    // A worker's notice that names changed in folder; ignored unless the watch of that
    // identity still runs and the tree's refresh is not suspended.
    void OnChange(std::uint64_t identity, const QString& folder);
    // The item of a folder below a watched root, looked up among the items that exist.
    QTreeWidgetItem* FindWatchedItem(const CTreeFileCtrlThreadInfo& watch,
                                     const QString& folder) const;

    CTreeFileCtrl& m_tree;
    std::vector<std::unique_ptr<CTreeFileCtrlThreadInfo>> m_watches;
    std::uint64_t m_nNextIdentity = 1;
};

}  // namespace ledgra
