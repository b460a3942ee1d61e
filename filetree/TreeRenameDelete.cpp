#include "filetree/TreeRenameDelete.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

#include "filetree/FileOperations.h"
#include "filetree/NativeNames.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

namespace {

// The item editor hands the typed text to the tree instead of writing it into the item.
class RenameDelegate : public QStyledItemDelegate {
public:
    explicit RenameDelegate(CTreeFileCtrl* tree) : QStyledItemDelegate(tree), m_tree(tree) {}

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line) m_tree->EndRename(m_tree->ItemOf(QPersistentModelIndex(index)), line->text());
    }

private:
    CTreeFileCtrl* m_tree;
};

QString FolderOf(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString ExtensionOf(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot <= 0 ? QString() : name.mid(dot);
}

}  // namespace

CTreeRenameDelete::CTreeRenameDelete(CTreeFileCtrl& tree, DeleteQuestion confirm)
    : m_tree(tree), m_confirm(std::move(confirm)) {}

bool CTreeRenameDelete::IsChangeable(QTreeWidgetItem* item) const {
    const CTreeFileCtrlItemInfo* info = CTreeFileCtrl::GetItemInfo(item);
    return info && !info->m_strFullPath.isEmpty() && !m_tree.IsDriveItem(item) &&
           !info->m_bNetworkItem && item != m_tree.DocumentsItem();
}

bool CTreeRenameDelete::BeginRename(QTreeWidgetItem* item) {
    if (!IsChangeable(item)) return false;
    if (!dynamic_cast<RenameDelegate*>(m_tree.itemDelegate()))
        m_tree.setItemDelegate(new RenameDelegate(&m_tree));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_tree.editItem(item);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return true;
}

bool CTreeRenameDelete::EndRename(QTreeWidgetItem* item, const QString& text) {
    CTreeFileCtrlItemInfo* info = CTreeFileCtrl::GetItemInfo(item);
    if (!info || text == item->text(0) || !IsValidFileName(text)) return false;
    // The new name lies in the folder of the old one (taken from the path itself: the items
    // at the top level have a parent without a path).
    const QString oldPath = info->m_strFullPath;
    const QString folder = FolderOf(oldPath);
    QString name = text;
    // A name shown without its extension keeps the extension it has on disk.
    if (info->m_bTextWithoutExtension) name += ExtensionOf(info->m_strName);
    const QString newPath =
        folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
    {
        const RefreshSuspended suspended = m_tree.SuspendRefresh();
        if (!RenameWithoutReplacing(oldPath, newPath)) return false;
    }
    // The folder's children carry the old path: it is read again when it next opens.
    if (!info->m_bIsFile && item->isExpanded()) item->setExpanded(false);
    info->m_strFullPath = newPath;
    info->m_strName = name;
    item->setText(0, text);
    item->setToolTip(0, DisplayName(name));
    if (!info->m_bIsFile) m_tree.UpdateFolderIcon(item);
    m_tree.OnPathSelected(newPath);
    return true;
}

bool CTreeRenameDelete::Delete(QTreeWidgetItem* item, bool permanent) {
    if (!IsChangeable(item)) return false;
    const QString path = m_tree.GetItemPath(item);
    if (!m_confirm(path, permanent)) return false;
    {
        const RefreshSuspended suspended = m_tree.SuspendRefresh();
        if (!(permanent ? DeletePermanently(path) : MoveToTrash(path))) return false;
    }
    QTreeWidgetItem* parent = item->parent();
    delete item;
    CTreeFileCtrl::ClearChildFlagWhenChildless(parent);
    return true;
}

}  // namespace ledgra
