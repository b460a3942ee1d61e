// The file tree's selection history: Back, Forward and Up one level.

#include "filetree/TreeFileCommands.h"
#include "filetree/TreeFileCtrl.h"

#include <QAction>

namespace ledgra {

namespace {

bool HasLiveEntry(const QList<QPersistentModelIndex>& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const QPersistentModelIndex& index) { return index.isValid(); });
}

}  // namespace

void CTreeFileCtrl::RecordHistory(QTreeWidgetItem* previous) {
    while (!m_backList.isEmpty() && m_backList.size() >= m_nHistoryLimit) m_backList.removeFirst();
    if (m_nHistoryLimit > 0) m_backList.append(IndexOf(previous));
}

QList<QTreeWidgetItem*> CTreeFileCtrl::BackItems() const {
    QList<QTreeWidgetItem*> items;
    for (const QPersistentModelIndex& index : m_backList) items.append(ItemOf(index));
    return items;
}

QList<QTreeWidgetItem*> CTreeFileCtrl::ForwardItems() const {
    QList<QTreeWidgetItem*> items;
    for (const QPersistentModelIndex& index : m_forwardList) items.append(ItemOf(index));
    return items;
}

bool CTreeFileCtrl::HasBackEntries() const {
    return HasLiveEntry(m_backList);
}

bool CTreeFileCtrl::HasForwardEntries() const {
    return HasLiveEntry(m_forwardList);
}

bool CTreeFileCtrl::GoBack() {
    if (!HasBackEntries()) return false;
    OnCommand(kTreeBackCommand);
    return true;
}

bool CTreeFileCtrl::GoForward() {
    if (!HasForwardEntries()) return false;
    OnCommand(kTreeForwardCommand);
    return true;
}

int CTreeFileCtrl::GetHistoryLimit() const {
    return m_nHistoryLimit;
}

void CTreeFileCtrl::SetHistoryLimit(int limit) {
    m_nHistoryLimit = std::max(0, limit);
    // Each list loses entries from its newest end.
    while (m_backList.size() > m_nHistoryLimit) m_backList.removeLast();
    while (m_forwardList.size() > m_nHistoryLimit) m_forwardList.removeLast();
    UpdateCommandStates();
}

bool CTreeFileCtrl::StepHistory(QList<QPersistentModelIndex>& from,
                                QList<QPersistentModelIndex>& to) {
    // Entries whose item was deleted since (by a collapse or a rebuild) are skipped.
    QTreeWidgetItem* target = nullptr;
    while (!target && !from.isEmpty()) target = ItemOf(from.takeLast());
    if (!target) return false;
    QTreeWidgetItem* previous = currentItem();
    m_bNavigating = true;
    SelectAsCaret(target);
    m_bNavigating = false;
    if (previous && previous != target) to.append(IndexOf(previous));
    UpdateCommandStates();
    return true;
}

void CTreeFileCtrl::SelectParentItem() {
    OnCommand(kTreeUpOneLevelCommand);
}

}  // namespace ledgra
