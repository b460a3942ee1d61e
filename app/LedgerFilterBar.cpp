#include "app/LedgerFilterBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace ledgra {
namespace {

constexpr int kTypingPauseMs = 200;

CalendarDate CalendarDateOf(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

QDateEdit* MakeDateEdit(const QDate& date, QWidget* parent) {
    auto* edit = new QDateEdit(date, parent);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setCalendarPopup(true);
    edit->setEnabled(false);
    return edit;
}

}  // namespace

LedgerFilterBar::LedgerFilterBar(QWidget* parent) : QWidget(parent) {
    m_text = new QLineEdit(this);
    m_text->setPlaceholderText(QStringLiteral("찾을 내용"));
    m_text->setClearButtonEnabled(true);
    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(kTypingPauseMs);

    const QDate today = QDate::currentDate();
    m_dateRange = new QCheckBox(QStringLiteral("작성일자"), this);
    m_from = MakeDateEdit(QDate(today.year(), 1, 1), this);
    m_to = MakeDateEdit(today, this);

    m_side = new QComboBox(this);
    m_side->addItem(QStringLiteral("전체 구분"));
    m_side->addItem(QStringLiteral("매출"), static_cast<int>(TradeSide::Sale));
    m_side->addItem(QStringLiteral("매입"), static_cast<int>(TradeSide::Purchase));
    m_class = new QComboBox(this);
    m_class->addItem(QStringLiteral("전체 분류"));
    m_errorsOnly = new QCheckBox(QStringLiteral("오류만"), this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_dateRange);
    layout->addWidget(m_from);
    layout->addWidget(new QLabel(QStringLiteral("~"), this));
    layout->addWidget(m_to);
    layout->addWidget(m_side);
    layout->addWidget(m_class);
    layout->addWidget(m_errorsOnly);

    connect(m_text, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    connect(m_typing, &QTimer::timeout, this, &LedgerFilterBar::Changed);
    connect(m_dateRange, &QCheckBox::toggled, this, [this](bool on) {
        m_from->setEnabled(on);
        m_to->setEnabled(on);
        emit Changed();
    });
    for (QDateEdit* edit : {m_from, m_to}) {
        connect(edit, &QDateEdit::dateChanged, this, [this] {
            if (m_dateRange->isChecked()) emit Changed();
        });
    }
    connect(m_side, &QComboBox::currentIndexChanged, this, &LedgerFilterBar::Changed);
    connect(m_class, &QComboBox::currentIndexChanged, this, &LedgerFilterBar::Changed);
    connect(m_errorsOnly, &QCheckBox::toggled, this, &LedgerFilterBar::Changed);
}

LedgerFilter LedgerFilterBar::Filter() const {
    LedgerFilter filter;
    filter.text = m_text->text().trimmed().toStdString();
    if (m_dateRange->isChecked()) {
        filter.from = CalendarDateOf(m_from->date());
        filter.to = CalendarDateOf(m_to->date());
    }
    if (const QVariant side = m_side->currentData(); side.isValid()) {
        filter.side = static_cast<TradeSide>(side.toInt());
    }
    if (m_class->currentIndex() > 0) filter.className = m_class->currentText().toStdString();
    filter.errorsOnly = m_errorsOnly->isChecked();
    return filter;
}

void LedgerFilterBar::AddClassName(const QString& name) {
    if (name.isEmpty() || m_class->findText(name, Qt::MatchExactly) >= 0) return;
    m_class->addItem(name);
}

void LedgerFilterBar::ForgetClassNames() {
    const QString chosen = m_class->currentIndex() > 0 ? m_class->currentText() : QString();
    // The filter stays as it is: the same 분류, or every one.
    const QSignalBlocker quiet(m_class);
    while (m_class->count() > 1) m_class->removeItem(1);
    if (!chosen.isEmpty()) {
        m_class->addItem(chosen);
        m_class->setCurrentIndex(1);
    }
}

}  // namespace ledgra
