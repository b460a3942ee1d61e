#pragma once
// Rename and Delete of the file tree's files and folders, which exist only while one of their
// switches is on. The tree checks its switches; this does the work.

#include <QString>

#include <functional>

class QTreeWidgetItem;

namespace ledgra {

class CTreeFileCtrl;

class CTreeRenameDelete {
public:
    // Asks the user before a delete of path, permanent or to the trash.
    using DeleteQuestion = std::function<bool(const QString& path, bool permanent)>;

    CTreeRenameDelete(CTreeFileCtrl& tree, DeleteQuestion confirm);

    // Opens the item's label editor; false for an item that cannot be renamed.
    bool BeginRename(QTreeWidgetItem* item);
    // Renames the item's file or folder to the typed text; false when refused or failed.
    bool EndRename(QTreeWidgetItem* item, const QString& text);
    // Deletes the item's file or folder after asking; false when refused or failed.
    bool Delete(QTreeWidgetItem* item, bool permanent);

private:
    // The tree's own items that are never renamed or deleted: volumes, the network, the
    // documents folder and the items without a path.
    bool IsChangeable(QTreeWidgetItem* item) const;

    CTreeFileCtrl& m_tree;
    DeleteQuestion m_confirm;
};

}  // namespace ledgra
