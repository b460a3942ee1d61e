#include "filetree/TreeFileCtrlItem.h"

#include "filetree/TreeFileCtrl.h"

namespace ledgra {

bool SortsBefore(const CTreeFileCtrlItemInfo& left, const CTreeFileCtrlItemInfo& right) {
    if (left.m_bIsFile != right.m_bIsFile) return !left.m_bIsFile;
    const int order = QString::compare(left.m_strName, right.m_strName, Qt::CaseInsensitive);
    if (order != 0) return order < 0;
    return left.m_strName < right.m_strName;
}

QVariant CTreeFileCtrlItem::data(int column, int role) const {
    if (role != Qt::ForegroundRole) return QTreeWidgetItem::data(column, role);
    if (!m_textColour) {
        auto* tree = qobject_cast<CTreeFileCtrl*>(treeWidget());
        if (!tree) return {};
        m_textColour = tree->ItemTextColour(const_cast<CTreeFileCtrlItem*>(this));
    }
    return *m_textColour;
}

bool CTreeFileCtrlItem::operator<(const QTreeWidgetItem& other) const {
    if (other.type() != kItemType) return QTreeWidgetItem::operator<(other);
    return SortsBefore(m_info, static_cast<const CTreeFileCtrlItem&>(other).m_info);
}

}  // namespace ledgra
