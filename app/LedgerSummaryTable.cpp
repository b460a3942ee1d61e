#include "app/LedgerSummaryTable.h"

#include <QHeaderView>

#include <array>

#include "ledger/LedgerColumns.h"
#include "ledger/LedgerSummary.h"
#include "records/RecordValues.h"

namespace ledgra {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidgetItem* TextItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* NumberItem(const std::string& text) {
    QTableWidgetItem* item = TextItem(FromUtf8(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

LedgerSummaryTable::LedgerSummaryTable(QWidget* parent) : QTableWidget(parent) {
    const std::array<const char16_t*, 7> titles{u"구분", u"기준", u"항목",  u"건수",
                                                u"공급가액", u"세액", u"합계"};
    setColumnCount(static_cast<int>(titles.size()));
    for (std::size_t i = 0; i < titles.size(); ++i) {
        setHorizontalHeaderItem(static_cast<int>(i), TextItem(QString::fromUtf16(titles[i])));
    }
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
}

void LedgerSummaryTable::ShowSummary(const LedgerModel& ledger) {
    const std::vector<SummaryLine> lines = Summarize(ledger, ledger.Shown());
    setRowCount(static_cast<int>(lines.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const SummaryLine& line = lines[static_cast<std::size_t>(row)];
        const std::string_view side = TradeSideName(line.side);
        setItem(row, 0, TextItem(side.empty() ? QStringLiteral("기타") : FromUtf8(side)));
        setItem(row, 1, TextItem(FromUtf8(GroupingName(line.grouping))));
        setItem(row, 2, TextItem(FromUtf8(line.key)));
        setItem(row, 3, NumberItem(std::to_string(line.totals.count)));
        setItem(row, 4, NumberItem(WonText(line.totals.supply)));
        setItem(row, 5, NumberItem(WonText(line.totals.tax)));
        setItem(row, 6, NumberItem(WonText(line.totals.grandTotal)));
    }
    resizeColumnsToContents();
}

}  // namespace ledgra
