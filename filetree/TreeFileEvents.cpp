// How the file tree answers expansion, collapse, selection and double clicks.

#include <QMouseEvent>
#include <QTimer>

#include "filetree/FolderListing.h"
#include "filetree/NativeNames.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

namespace {

bool IsShare(const CTreeFileCtrlItemInfo& info) {
    return info.m_pNetInfo &&
           info.m_pNetInfo->m_dwDisplayType == NetworkResourceInfo::kDisplayTypeShare;
}

bool IsDescendantOf(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* parent = item ? item->parent() : nullptr; parent;
         parent = parent->parent())
        if (parent == ancestor) return true;
    return false;
}

}  // namespace

void CTreeFileCtrl::OnItemExpanded(QTreeWidgetItem* item) {
    if (HasChildFlag(item) && item->childCount() == 0) ExpandItemContents(item);
}

void CTreeFileCtrl::OnItemCollapsed(QTreeWidgetItem* item) {
    WaitCursor wait;
    const bool hadChildren = item->childCount() > 0;
    const QString path = GetItemPath(item);
    if (IsDriveRoot(path) || IsWatchedRoot(path)) StopDriveWatch(path);
    // The caret stays visible: it moves up to the item losing its children.
    if (IsDescendantOf(currentItem(), item)) setCurrentItem(item);
    // Collapsing forgets the contents, so the next expansion reads the disk again; a listing
    // that has not answered is no longer wanted.
    CancelPendingChildren(item);
    qDeleteAll(item->takeChildren());
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    const bool networkAboveShares = info && info->m_bNetworkItem && !IsShare(*info);
    if (!networkAboveShares) SetChildFlag(item, hadChildren);
}

bool CTreeFileCtrl::ExpandItemContents(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!info) return true;
    if (item == RootItem()) {
        AddTopLevelItems();
        return true;
    }
    if (item == ComputerItem()) {
        AddDriveItems(item, true);
        return true;
    }
    const QString path = info->m_strFullPath;
    // Servers are never folders of this machine, whatever a folder of their name may be. A
    // share is its mount point, read like any folder (not asked first: it may not answer).
    if (item == NetworkItem() || (info->m_pNetInfo && !IsShare(*info))) {
        WaitCursor wait;
        AddNetworkItems(item);
        return true;
    }
    if (path.isEmpty()) return true;
    if (CheckMediaPresent(path)) {
        // The listing says whether the path is still a folder.
        if (item->childCount() == 0 && FillFolder(path, item, true) == FillOutcome::NotAFolder) {
            RemoveVanishedItem(item);
            return false;
        }
        if (m_watch && (IsDriveRoot(path) || IsWatchedRoot(path)) && CanWatchPath(path))
            StartDriveWatch(path);
        return true;
    }
    // A removable drive without media: closed again, and no expand button.
    WaitCursor wait;
    item->setExpanded(false);
    qDeleteAll(item->takeChildren());
    SetChildFlag(item, false);
    return true;
}

bool CTreeFileCtrl::IsValidSelection(QTreeWidgetItem* item) const {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!info) return false;
    if (item == RootItem() || item == DocumentsItem() || item == NetworkItem() ||
        item == ComputerItem() || info->m_pNetInfo)
        return true;
    // A path on a mount that may not answer is not asked. A dangling link stays: showing it
    // tells why it cannot be read.
    return IsDriveRoot(info->m_strFullPath) || IsSlowPath(info->m_strFullPath) ||
           KindOfPath(info->m_strFullPath) != PathKind::Missing;
}

void CTreeFileCtrl::RemoveVanishedItem(QTreeWidgetItem* item) {
    // Deleting an item from inside the view's own notifications would pull it from under them.
    const QPersistentModelIndex index = IndexOf(item);
    QTimer::singleShot(0, this, [this, index] {
        QTreeWidgetItem* vanished = ItemOf(index);
        if (!vanished) return;
        QTreeWidgetItem* parent = vanished->parent() ? vanished->parent() : invisibleRootItem();
        delete vanished;
        // Only an emptied parent loses its expand button.
        ClearChildFlagWhenChildless(parent);
    });
}

void CTreeFileCtrl::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
    if (!current || IsPendingItem(current)) return;
    if (!IsValidSelection(current)) {
        RemoveVanishedItem(current);
        return;
    }
    if (previous && !m_bNavigating) RecordHistory(previous);
    UpdateCommandStates();
    OnPathSelected(GetItemPath(current));
}

void CTreeFileCtrl::OnPathSelected(const QString&) {}

void CTreeFileCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    // A double click on a document file shows it: the caret item, under the mouse.
    QTreeWidgetItem* caret = currentItem();
    if (caret && itemAt(event->position().toPoint()) == caret) ActivateDocumentItem(caret);
}

bool CTreeFileCtrl::ActivateDocumentItem(QTreeWidgetItem* item) {
    // A leaf named like a document; a leaf folder of such a name too: the show run checks it.
    if (!item || HasChildFlag(item) || item->childCount() > 0) return false;
    const QString path = GetItemPath(item);
    if (!IsDocumentFileName(path)) return false;
    if (KindOfPath(path) == PathKind::DanglingLink)
        emit OpenRefused(QStringLiteral("링크가 가리키는 파일이 없어 읽을 수 없습니다.\n%1")
                             .arg(DisplayName(path)));
    else
        emit DocumentActivated(path);
    return true;
}

}  // namespace ledgra
