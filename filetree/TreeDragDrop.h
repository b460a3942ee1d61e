#pragma once
// Drag and drop of document files onto folders of the same tree, which exists only while its
// switch is on: a drop moves the file, Ctrl copies it. The tree hands its drag events here.

#include <QPersistentModelIndex>

class QTreeWidgetItem;

namespace ledgra {

class CTreeFileCtrl;

class CTreeDragDrop {
public:
    explicit CTreeDragDrop(CTreeFileCtrl& tree);

    // Drags item until the drag ends.
    void Start(QTreeWidgetItem* item);
    // The item a drag started on (null outside a drag).
    QTreeWidgetItem* SourceItem() const;
    // Whether a drag of source may end on target: a folder that is not the source's own, nor
    // below the source.
    bool IsDropTargetFor(QTreeWidgetItem* source, QTreeWidgetItem* target) const;
    // Moves (or copies) the file of source into the folder of target; true on success.
    bool Drop(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy);

    // What a drag of the tree carries.
    static const char* const kFormat;

private:
    CTreeFileCtrl& m_tree;
    QPersistentModelIndex m_source;
};

}  // namespace ledgra
