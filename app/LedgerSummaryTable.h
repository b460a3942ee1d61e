#pragma once
// The ledger's summary "요약": count and sums of the invoices shown per counterparty, per
// month and per VAT period, sales and purchases apart.

#include <QTableWidget>

#include "ledger/LedgerModel.h"

namespace ledgra {

class LedgerSummaryTable final : public QTableWidget {
    Q_OBJECT

public:
    explicit LedgerSummaryTable(QWidget* parent = nullptr);

    // Fills the table from the rows the ledger shows.
    void ShowSummary(const LedgerModel& ledger);
};

}  // namespace ledgra
