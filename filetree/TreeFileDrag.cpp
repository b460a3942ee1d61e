// Drag and drop of document files onto folders of the same tree, behind its switch: a drop
// moves the file, Ctrl copies it.

#include <QApplication>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "filetree/FileOperations.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"
#include "filetree/TreeFileCtrlItem.h"

namespace ledgra {

namespace {

const QString kDragFormat = QStringLiteral("application/x-ledgra-tree-item");
// The view scrolls when the mouse is within two items of an edge, and opens a folder the
// mouse rests on after three ticks of 300 ms.
constexpr int kAutoExpandDelayMs = 900;

bool IsBelow(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* parent = item ? item->parent() : nullptr; parent;
         parent = parent->parent())
        if (parent == ancestor) return true;
    return false;
}

QString NameOf(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

void CTreeFileCtrl::ApplyDragSwitch() {
    setDragEnabled(m_bAllowDragDrop);
    setAcceptDrops(m_bAllowDragDrop);
    setDragDropMode(m_bAllowDragDrop ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
    setAutoScrollMargin(2 * qMax(1, sizeHintForRow(0)));
    setAutoExpandDelay(m_bAllowDragDrop ? kAutoExpandDelayMs : -1);
}

bool CTreeFileCtrl::CanDragItem(QTreeWidgetItem* item) const {
    return IsFileItem(item) && !IsDriveItem(item);
}

QTreeWidgetItem* CTreeFileCtrl::DragSourceItem() const {
    return ItemOf(m_dragSource);
}

bool CTreeFileCtrl::ValidDropTarget(QTreeWidgetItem* item) const {
    return IsDropTargetFor(DragSourceItem(), item);
}

bool CTreeFileCtrl::IsDropTargetFor(QTreeWidgetItem* source, QTreeWidgetItem* item) const {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!info || !source || info->m_bIsFile || item == source || item == source->parent())
        return false;
    return IsFolderItem(item) && !IsBelow(item, source);
}

void CTreeFileCtrl::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (!m_bAllowDragDrop || !CanDragItem(item)) return;
    m_dragSource = IndexOf(item);
    auto* data = new QMimeData;
    data->setData(kDragFormat, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_dragSource = QPersistentModelIndex();
}

void CTreeFileCtrl::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_bAllowDragDrop || event->source() != this ||
        !event->mimeData()->hasFormat(kDragFormat)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CTreeFileCtrl::dragMoveEvent(QDragMoveEvent* event) {
    if (!m_bAllowDragDrop || event->source() != this) {
        event->ignore();
        return;
    }
    // The view's own handling scrolls near the edges and opens a folder the mouse rests on.
    QTreeWidget::dragMoveEvent(event);
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (!ValidDropTarget(target)) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers() & Qt::ControlModifier;
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CTreeFileCtrl::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (!m_bAllowDragDrop || event->source() != this || !ValidDropTarget(target)) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers() & Qt::ControlModifier;
    // The tree moves the file itself; the view must not move its items.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    DropOnItem(DragSourceItem(), target, copy);
}

bool CTreeFileCtrl::DropOnItem(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy) {
    if (!source || !CanDragItem(source) || !IsDropTargetFor(source, target)) return false;
    const QString from = GetItemPath(source);
    const QString folder = GetItemPath(target);
    const QString name = NameOf(from);
    const QString to =
        folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
    {
        RefreshSuspended suspended(m_bAutomaticRefresh);
        if (!(copy ? CopyFileWithoutReplacing(from, to) : MoveFileWithoutReplacing(from, to)))
            return false;
    }
    // The target shows the file when it next opens.
    if (!HasChildWithText(target, source->text(0))) {
        target->setExpanded(false);
        qDeleteAll(target->takeChildren());
        SetChildFlag(target, true);
        setCurrentItem(target);
    }
    if (!copy) {
        QTreeWidgetItem* parent = source->parent();
        if (currentItem() == source) setCurrentItem(target);
        delete source;
        ClearChildFlagWhenChildless(parent);
    }
    return true;
}

}  // namespace ledgra
