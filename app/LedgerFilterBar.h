#pragma once
// The ledger's filter: a text matched against every text column, a 작성일자 range, 구분 and
// 분류, and "오류만". Tells when the user changed it; the text after a short pause, so a
// long ledger is not filtered again at every key.

#include <QWidget>

#include "ledger/LedgerModel.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QTimer;

namespace ledgra {

class LedgerFilterBar final : public QWidget {
    Q_OBJECT

public:
    explicit LedgerFilterBar(QWidget* parent = nullptr);

    LedgerFilter Filter() const;
    // Offers a 분류 among the choices, once.
    void AddClassName(const QString& name);
    // Offers none but the one chosen, for a ledger that starts over.
    void ForgetClassNames();

    QLineEdit& TextField() const { return *m_text; }
    QCheckBox& DateRange() const { return *m_dateRange; }
    QDateEdit& From() const { return *m_from; }
    QDateEdit& To() const { return *m_to; }
    QComboBox& Side() const { return *m_side; }
    QComboBox& Class() const { return *m_class; }
    QCheckBox& ErrorsOnly() const { return *m_errorsOnly; }

signals:
    void Changed();

private:
    QLineEdit* m_text = nullptr;
    QTimer* m_typing = nullptr;
    QCheckBox* m_dateRange = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QComboBox* m_side = nullptr;
    QComboBox* m_class = nullptr;
    QCheckBox* m_errorsOnly = nullptr;
};

}  // namespace ledgra
