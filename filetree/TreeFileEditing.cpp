// Rename and Delete in the file tree, each behind its switch.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyledItemDelegate>

#include "filetree/FileOperations.h"
#include "filetree/NativeNames.h"
#include "filetree/ScopedGuards.h"
#include "filetree/SystemImageList.h"
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
        if (line) m_tree->EndRename(m_tree->itemFromIndex(index), line->text());
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

bool CTreeFileCtrl::BeginRename(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!m_bAllowRename || !info || info->m_strFullPath.isEmpty() || IsDriveItem(item) ||
        info->m_bNetworkItem || item == DocumentsItem())
        return false;
    if (!dynamic_cast<RenameDelegate*>(itemDelegate())) setItemDelegate(new RenameDelegate(this));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    editItem(item);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return true;
}

bool CTreeFileCtrl::EndRename(QTreeWidgetItem* item, const QString& text) {
    CTreeFileCtrlItemInfo* info = GetItemInfo(item);
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
        RefreshSuspended suspended(m_bAutomaticRefresh);
        if (!RenameWithoutReplacing(oldPath, newPath)) return false;
    }
    // The folder's children carry the old path: it is read again when it next opens.
    if (!info->m_bIsFile && item->isExpanded()) item->setExpanded(false);
    info->m_strFullPath = newPath;
    info->m_strName = name;
    item->setText(0, text);
    item->setToolTip(0, DisplayName(name));
    if (!info->m_bIsFile)
        item->setIcon(0, m_images->ItemIcon(NormalIconOfPath(newPath), OpenIconOfPath(newPath),
                                            IsSharedPath(newPath)));
    OnPathSelected(newPath);
    return true;
}

bool CTreeFileCtrl::ConfirmDelete(const QString& path, bool permanent) {
    const QString question =
        permanent ? tr("Delete \"%1\" for good?") : tr("Move \"%1\" to the trash?");
    return QMessageBox::question(window(), QString(), question.arg(DisplayName(path))) ==
           QMessageBox::Yes;
}

bool CTreeFileCtrl::DeleteItemFile(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!info || !m_bAllowDelete || info->m_strFullPath.isEmpty() || IsDriveItem(item) ||
        info->m_bNetworkItem || item == DocumentsItem())
        return false;
    const QString path = info->m_strFullPath;
    const bool permanent = QApplication::keyboardModifiers() & Qt::ShiftModifier;
    if (!ConfirmDelete(path, permanent)) return false;
    {
        RefreshSuspended suspended(m_bAutomaticRefresh);
        if (!(permanent ? DeletePermanently(path) : MoveToTrash(path))) return false;
    }
    QTreeWidgetItem* parent = item->parent();
    delete item;
    ClearChildFlagWhenChildless(parent);
    return true;
}

}  // namespace ledgra
