#pragma once
// The ledger's rows as the window's table: a view of ledger/'s model, which holds the data.
// Every change of the rows shown (rows read, a filter, a sort order) goes through here, so the
// table is told of it.

#include <QAbstractTableModel>

#include <cstddef>
#include <optional>
#include <vector>

#include "ledger/LedgerModel.h"

namespace ledgra {

class LedgerTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit LedgerTableModel(LedgerModel& ledger, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Starts over with an empty ledger for the user's own number.
    void Restart(const std::string& ownNumber);
    void Append(std::vector<LedgerRow> rows);
    void SetFilter(LedgerFilter filter);

    const LedgerModel& Ledger() const { return m_ledger; }
    // The ledger's row shown in the table row, and back.
    std::size_t LedgerRowAt(int row) const;
    std::optional<int> TableRowOf(std::size_t ledgerRow) const;

private:
    LedgerModel& m_ledger;
    std::optional<std::pair<int, Qt::SortOrder>> m_sort;
};

}  // namespace ledgra
