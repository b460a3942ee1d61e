// Finding and selecting the item of a path, filling folders on the way.

#include <QDir>

#include "filetree/NetworkShares.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

namespace {

const QLatin1String kNetworkPrefix("//");

bool IsWithinFolder(const QString& path, const QString& folder) {
    return !folder.isEmpty() &&
           (path == folder || (path.startsWith(folder) && path[folder.size()] == QLatin1Char('/')));
}

// The components of path after the first `skip` characters.
QStringList ComponentsAfter(const QString& path, qsizetype skip) {
    return path.mid(skip).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

}  // namespace

QTreeWidgetItem* CTreeFileCtrl::FindChildByName(QTreeWidgetItem* parent,
                                                const QString& name) const {
    if (!parent) return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        const CTreeFileCtrlItemInfo* info = GetItemInfo(parent->child(i));
        if (info && info->m_strName == name) return parent->child(i);
    }
    // Names differ only by case on file systems that ignore case.
    const QString parentPath = GetItemPath(parent);
    const VolumeInfo* volume =
        parentPath.isEmpty() ? nullptr : VolumeContaining(parentPath, m_volumes);
    if (!volume || !IsCaseInsensitiveFileSystem(volume->m_strFileSystem)) return nullptr;
    for (int i = 0; i < parent->childCount(); ++i) {
        const CTreeFileCtrlItemInfo* info = GetItemInfo(parent->child(i));
        if (info && QString::compare(info->m_strName, name, Qt::CaseInsensitive) == 0)
            return parent->child(i);
    }
    return nullptr;
}

bool CTreeFileCtrl::HasChildWithText(QTreeWidgetItem* parent, const QString& text) const {
    if (!parent) return false;
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text) return true;
    return false;
}

void CTreeFileCtrl::SelectAsCaret(QTreeWidgetItem* item) {
    // The caret is always visible: every ancestor is open.
    QList<QTreeWidgetItem*> ancestors;
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
        ancestors.prepend(parent);
    for (QTreeWidgetItem* ancestor : ancestors) ancestor->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
}

bool CTreeFileCtrl::MakeSureExpanded(QTreeWidgetItem* item) {
    if (HasChildFlag(item) && item->childCount() == 0 && !ExpandItemContents(item)) return false;
    if (item->childCount() > 0) item->setExpanded(true);
    return true;
}

QTreeWidgetItem* CTreeFileCtrl::WalkComponents(QTreeWidgetItem* current,
                                               const QStringList& components, bool expand) {
    if (components.isEmpty()) {
        SelectAsCaret(current);
        return expand && !MakeSureExpanded(current) ? nullptr : current;
    }
    for (qsizetype i = 0; i < components.size(); ++i) {
        current = FindChildByName(current, components[i]);
        if (!current) return nullptr;
        SelectAsCaret(current);
        const bool last = i + 1 == components.size();
        if ((!last || expand) && !MakeSureExpanded(current)) return nullptr;
    }
    return current;
}

QTreeWidgetItem* CTreeFileCtrl::SelectPath(const QString& path, bool expand) {
    if (path.isEmpty()) return nullptr;
    RedrawSuspended suspended(this);

    // "//server/share/..." goes through Network when that server's share is mounted here.
    QTreeWidgetItem* network = NetworkItem();
    if (m_bShowNetwork && network && path.size() > 2 && path.startsWith(kNetworkPrefix)) {
        const QStringList components = ComponentsAfter(path, 2);
        const std::vector<NetworkShare> shares = MountedNetworkShares(m_volumes);
        const bool knownServer =
            !components.isEmpty() &&
            std::any_of(shares.begin(), shares.end(), [&](const NetworkShare& share) {
                return share.m_strServer == components.first();
            });
        if (knownServer) {
            if (!MakeSureExpanded(network)) return nullptr;
            QTreeWidgetItem* serverParent = FindServerParent(network);
            return serverParent ? WalkComponents(serverParent, components, expand) : nullptr;
        }
    }

    const QString local = QDir::cleanPath(path);
    QTreeWidgetItem* documents = DocumentsItem();
    if (documents && IsWithinFolder(local, m_strDocumentsPath)) {
        if (!MakeSureExpanded(documents)) return nullptr;
        return WalkComponents(documents, ComponentsAfter(local, m_strDocumentsPath.size()), expand);
    }

    QTreeWidgetItem* start = RootItem();
    if (QTreeWidgetItem* computer = ComputerItem()) {
        if (!MakeSureExpanded(computer)) return nullptr;
        start = computer;
    }
    // The first component is the longest volume root holding the path.
    const VolumeInfo* volume = VolumeContaining(local, m_volumes);
    if (!volume || !start) return nullptr;
    QStringList components = ComponentsAfter(local, volume->m_strRoot.size());
    components.prepend(volume->m_strRoot);
    return WalkComponents(start, components, expand);
}

QTreeWidgetItem* CTreeFileCtrl::FindItemForPath(const QString& path) const {
    if (path.isEmpty()) return nullptr;
    QTreeWidgetItem* start = nullptr;
    QStringList components;
    if (m_bShowNetwork && path.size() > 2 && path.startsWith(kNetworkPrefix)) {
        start = FindServerParent(NetworkItem());
        components = ComponentsAfter(path, 2);
    }
    if (!start || !FindChildByName(start, components.value(0))) {
        const QString local = QDir::cleanPath(path);
        const VolumeInfo* volume = VolumeContaining(local, m_volumes);
        if (!volume) return nullptr;
        start = ComputerItem() ? ComputerItem() : RootItem();
        components = ComponentsAfter(local, volume->m_strRoot.size());
        components.prepend(volume->m_strRoot);
    }
    for (const QString& component : components) {
        start = FindChildByName(start, component);
        if (!start) return nullptr;
    }
    return start;
}

}  // namespace ledgra
