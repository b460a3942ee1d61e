#include "app/LedgerTableModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QString>

#include <utility>

#include "ledger/LedgerColumns.h"

namespace ledgra {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LedgerTableModel::LedgerTableModel(LedgerModel& ledger, QObject* parent)
    : QAbstractTableModel(parent), m_ledger(ledger) {}

int LedgerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_ledger.Shown().size());
}

int LedgerTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(LedgerColumns().size());
}

QVariant LedgerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<std::size_t>(index.column());
    const std::size_t ledgerRow = LedgerRowAt(index.row());
    const LedgerRow& row = m_ledger.Row(ledgerRow);
    const bool linked = column == kOriginalApprovalColumn && row.original.has_value();
    switch (role) {
        case Qt::DisplayRole:
            return FromUtf8(DisplayText(m_ledger.Cell(ledgerRow, column)));
        case Qt::TextAlignmentRole:
            if (LedgerColumns()[column].kind == CellKind::Amount) {
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            }
            return {};
        case Qt::ToolTipRole:
            if (column == kApprovalColumn && row.duplicateApproval) {
                return QStringLiteral("같은 승인번호의 문서가 목록에 더 있습니다.");
            }
            if (linked) {
                return QStringLiteral("누르면 당초 세금계산서를 선택합니다: ") +
                       FromUtf8(PlainText(m_ledger.Cell(*row.original, kFileColumn)));
            }
            return {};
        case Qt::BackgroundRole:
            if (column == kApprovalColumn && row.duplicateApproval) {
                return QBrush(QColor(0xFF, 0xE0, 0xB0));
            }
            return {};
        case Qt::ForegroundRole:
            if (linked) return QBrush(QColor(0x00, 0x4C, 0xC0));
            if (row.HasErrors()) return QBrush(QColor(0xB0, 0x00, 0x00));
            return {};
        case Qt::FontRole:
            if (linked) {
                QFont font;
                font.setUnderline(true);
                return font;
            }
            return {};
        default:
            return {};
    }
}

QVariant LedgerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return FromUtf8(LedgerColumns()[static_cast<std::size_t>(section)].title);
}

void LedgerTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= columnCount()) return;
    beginResetModel();
    m_ledger.SortBy(static_cast<std::size_t>(column), order == Qt::AscendingOrder);
    m_sort = {column, order};
    endResetModel();
}

void LedgerTableModel::Restart(const std::string& ownNumber) {
    beginResetModel();
    LedgerFilter filter = m_ledger.Filter();
    m_ledger = LedgerModel(ownNumber);
    m_ledger.SetFilter(std::move(filter));
    if (m_sort) {
        m_ledger.SortBy(static_cast<std::size_t>(m_sort->first),
                        m_sort->second == Qt::AscendingOrder);
    }
    endResetModel();
}

void LedgerTableModel::Append(std::vector<LedgerRow> rows) {
    if (rows.empty()) return;
    beginResetModel();
    for (LedgerRow& row : rows) m_ledger.Append(std::move(row));
    endResetModel();
}

void LedgerTableModel::SetFilter(LedgerFilter filter) {
    beginResetModel();
    m_ledger.SetFilter(std::move(filter));
    endResetModel();
}

std::size_t LedgerTableModel::LedgerRowAt(int row) const {
    return m_ledger.Shown()[static_cast<std::size_t>(row)];
}

std::optional<int> LedgerTableModel::TableRowOf(std::size_t ledgerRow) const {
    const std::vector<std::size_t>& shown = m_ledger.Shown();
    for (std::size_t at = 0; at < shown.size(); ++at) {
        if (shown[at] == ledgerRow) return static_cast<int>(at);
    }
    return std::nullopt;
}

}  // namespace ledgra
