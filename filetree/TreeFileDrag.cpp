// The file tree's side of drag and drop: the switch, and the view's drag events handed to
// CTreeDragDrop while the switch is on.

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

#include "filetree/TreeDragDrop.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

namespace {

// The view scrolls when the mouse is within two items of an edge, and opens a folder the
// mouse rests on after three ticks of 300 ms.
constexpr int kAutoExpandDelayMs = 900;

}  // namespace

void CTreeFileCtrl::ApplyDragSwitch() {
    if (m_bAllowDragDrop && !m_drag) m_drag = std::make_unique<CTreeDragDrop>(*this);
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
    return m_drag ? m_drag->SourceItem() : nullptr;
}

bool CTreeFileCtrl::ValidDropTarget(QTreeWidgetItem* item) const {
    return m_drag && m_drag->IsDropTargetFor(m_drag->SourceItem(), item);
}

bool CTreeFileCtrl::DropOnItem(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy) {
    return m_drag && m_drag->Drop(source, target, copy);
}

bool CTreeFileCtrl::IsOwnDrag(const QDropEvent& event) const {
    return m_drag && event.source() == this &&
           event.mimeData()->hasFormat(QString::fromLatin1(CTreeDragDrop::kFormat));
}

void CTreeFileCtrl::startDrag(Qt::DropActions) {
    QTreeWidgetItem* item = currentItem();
    if (m_drag && CanDragItem(item)) m_drag->Start(item);
}

void CTreeFileCtrl::dragEnterEvent(QDragEnterEvent* event) {
    if (IsOwnDrag(*event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CTreeFileCtrl::dragMoveEvent(QDragMoveEvent* event) {
    if (!IsOwnDrag(*event)) {
        event->ignore();
        return;
    }
    // The view's own handling scrolls near the edges and opens a folder the mouse rests on.
    QTreeWidget::dragMoveEvent(event);
    if (!ValidDropTarget(itemAt(event->position().toPoint()))) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers() & Qt::ControlModifier;
    event->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CTreeFileCtrl::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    if (!IsOwnDrag(*event) || !ValidDropTarget(target)) {
        event->ignore();
        return;
    }
    const bool copy = event->modifiers() & Qt::ControlModifier;
    // The tree moves the file itself; the view must not move its items.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    DropOnItem(DragSourceItem(), target, copy);
}

}  // namespace ledgra
