#include "filetree/TreeDragDrop.h"

#include <QDrag>
#include <QMimeData>

#include "filetree/FileOperations.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

namespace {

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

const char* const CTreeDragDrop::kFormat = "application/x-ledgra-tree-item";

CTreeDragDrop::CTreeDragDrop(CTreeFileCtrl& tree) : m_tree(tree) {}

void CTreeDragDrop::Start(QTreeWidgetItem* item) {
    m_source = m_tree.IndexOf(item);
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kFormat), QByteArray());
    auto* drag = new QDrag(&m_tree);
    drag->setMimeData(data);
    drag->setPixmap(item->icon(0).pixmap(16, 16));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_source = QPersistentModelIndex();
}

QTreeWidgetItem* CTreeDragDrop::SourceItem() const {
    return m_tree.ItemOf(m_source);
}

bool CTreeDragDrop::IsDropTargetFor(QTreeWidgetItem* source, QTreeWidgetItem* target) const {
    const CTreeFileCtrlItemInfo* info = CTreeFileCtrl::GetItemInfo(target);
    if (!info || !source || info->m_bIsFile || target == source || target == source->parent())
        return false;
    return m_tree.IsFolderItem(target) && !IsBelow(target, source);
}

bool CTreeDragDrop::Drop(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy) {
    if (!source || !m_tree.CanDragItem(source) || !IsDropTargetFor(source, target)) return false;
    const QString from = m_tree.GetItemPath(source);
    const QString folder = m_tree.GetItemPath(target);
    const QString name = NameOf(from);
    const QString to =
        folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
    {
        const RefreshSuspended suspended = m_tree.SuspendRefresh();
        if (!(copy ? CopyFileWithoutReplacing(from, to) : MoveFileWithoutReplacing(from, to)))
            return false;
    }
    // The target shows the file when it next opens.
    if (!m_tree.HasChildWithText(target, source->text(0))) {
        target->setExpanded(false);
        qDeleteAll(target->takeChildren());
        CTreeFileCtrl::SetChildFlag(target, true);
        m_tree.setCurrentItem(target);
    }
    if (!copy) {
        QTreeWidgetItem* parent = source->parent();
        if (m_tree.currentItem() == source) m_tree.setCurrentItem(target);
        delete source;
        CTreeFileCtrl::ClearChildFlagWhenChildless(parent);
    }
    return true;
}

}  // namespace ledgra
