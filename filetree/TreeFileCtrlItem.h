#pragma once
// A file tree item: it owns its record, which goes when the item goes.

#include <QTreeWidgetItem>
#include <QVariant>

#include <optional>

#include "filetree/TreeFileCtrlItemInfo.h"

namespace ledgra {

// Folders before files, then names ignoring case (and, for names equal but for case, by case
// so that the order is always the same).
bool SortsBefore(const CTreeFileCtrlItemInfo& left, const CTreeFileCtrlItemInfo& right);

class CTreeFileCtrlItem : public QTreeWidgetItem {
public:
    static constexpr int kItemType = QTreeWidgetItem::UserType + 1;

    explicit CTreeFileCtrlItem(CTreeFileCtrlItemInfo record, bool shared)
        : QTreeWidgetItem(kItemType), m_info(std::move(record)), m_bShared(shared) {}

    CTreeFileCtrlItemInfo& Info() { return m_info; }
    const CTreeFileCtrlItemInfo& Info() const { return m_info; }
    // Whether the item carries the shared overlay.
    bool IsShared() const { return m_bShared; }

    // The text colour is asked of the tree once per item (it reads the file system).
    QVariant data(int column, int role) const override;
    bool operator<(const QTreeWidgetItem& other) const override;

private:
    CTreeFileCtrlItemInfo m_info;
    bool m_bShared;
    mutable std::optional<QVariant> m_textColour;
};

}  // namespace ledgra
