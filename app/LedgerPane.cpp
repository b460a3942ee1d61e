#include "app/LedgerPane.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "app/LedgerFilterBar.h"
#include "app/LedgerSaveDialog.h"
#include "app/LedgerSummaryTable.h"
#include "app/LedgerTableModel.h"
#include "filetree/NativeNames.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerExport.h"
#include "ledger/LedgerReading.h"
#include "records/RecordValues.h"

namespace ledgra {
namespace {

// How often the rows read so far join the table: often enough to see them come, seldom
// enough that sorting and filtering a long ledger again does not hold up the window.
constexpr int kPollMs = 150;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PathText(const std::filesystem::path& path) {
    return DisplayName(PathFromNative(QByteArray::fromStdString(path.native())));
}

QString TotalsText(const LedgerTotals& totals) {
    return QStringLiteral("%1건 · 공급가액 %2 · 세액 %3 · 합계 %4")
        .arg(totals.count)
        .arg(FromUtf8(WonText(totals.supply)), FromUtf8(WonText(totals.tax)),
             FromUtf8(WonText(totals.grandTotal)));
}

}  // namespace

LedgerPane::LedgerPane(SignedDataVerifierFactory verifierFactory, QWidget* parent)
    : QWidget(parent),
      m_verifierFactory(std::move(verifierFactory)),
      m_chooseFile(ChooseLedgerFileInDialog) {
    m_model = new LedgerTableModel(m_ledger, this);
    m_filters = new LedgerFilterBar(this);

    m_table = new QTableView(this);
    m_table->setModel(m_model);
    // The documents' order until the user sorts.
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    // Widths from the columns' characters, a digit wide each, and never below the title's.
    const int digit = m_table->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (std::size_t column = 0; column < LedgerColumns().size(); ++column) {
        const int section = static_cast<int>(column);
        m_table->setColumnWidth(
            section, std::max(static_cast<int>(LedgerColumns()[column].width * digit) + 12,
                              m_table->horizontalHeader()->sectionSizeHint(section)));
    }
    m_summary = new LedgerSummaryTable(this);
    for (QTableView* table : {m_table, static_cast<QTableView*>(m_summary)}) {
        table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    }
    m_views = new QStackedWidget(this);
    m_views->addWidget(m_table);
    m_views->addWidget(m_summary);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(MakeCommandRow());
    layout->addWidget(m_filters);
    layout->addWidget(m_views, 1);
    layout->addWidget(MakeStatusRow());

    m_poll = new QTimer(this);
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &LedgerPane::TakeReadRows);
    connect(m_filters, &LedgerFilterBar::Changed, this,
            [this] { m_model->SetFilter(m_filters->Filter()); });
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &LedgerPane::KeepSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LedgerPane::RestoreSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &LedgerPane::OnRowsChanged);
    connect(m_table, &QTableView::doubleClicked, this, &LedgerPane::ShowDocumentOf);
    connect(m_table, &QTableView::clicked, this, &LedgerPane::SelectOriginalOf);

    auto* back = new QAction(this);
    back->setShortcut(QKeySequence(Qt::Key_Escape));
    back->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(back, &QAction::triggered, this, &LedgerPane::LeaveToPage);
    addAction(back);
    setFocusProxy(m_table);
    OnRowsChanged();
}

// Dropping the readings waits for the documents they hold.
LedgerPane::~LedgerPane() = default;

QWidget* LedgerPane::MakeCommandRow() {
    auto* row = new QWidget(this);
    m_folderLabel = new QLabel(row);
    m_folderLabel->setTextFormat(Qt::PlainText);
    m_withSubFolders = new QCheckBox(QStringLiteral("하위 폴더 포함"), row);
    m_summaryButton = new QPushButton(QStringLiteral("요약"), row);
    m_summaryButton->setCheckable(true);
    auto* exportButton = new QPushButton(QStringLiteral("내보내기..."), row);
    auto* pageButton = new QPushButton(QStringLiteral("문서 보기"), row);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_folderLabel, 1);
    layout->addWidget(m_withSubFolders);
    layout->addWidget(m_summaryButton);
    layout->addWidget(exportButton);
    layout->addWidget(pageButton);

    connect(m_withSubFolders, &QCheckBox::toggled, this, [this] {
        if (!m_folder.empty()) StartReading();
    });
    connect(m_summaryButton, &QPushButton::toggled, this, [this](bool on) {
        m_views->setCurrentWidget(on ? static_cast<QWidget*>(m_summary) : m_table);
        OnRowsChanged();
    });
    connect(exportButton, &QPushButton::clicked, this, &LedgerPane::Export);
    connect(pageButton, &QPushButton::clicked, this, &LedgerPane::LeaveToPage);
    return row;
}

QWidget* LedgerPane::MakeStatusRow() {
    auto* row = new QWidget(this);
    m_totals = new QLabel(row);
    m_readState = new QLabel(row);
    m_progress = new QProgressBar(row);
    m_progress->setFormat(QStringLiteral("%v / %m"));
    m_progress->setFixedWidth(240);
    m_cancel = new QPushButton(QStringLiteral("취소"), row);
    m_progress->hide();
    m_cancel->hide();

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_totals, 1);
    layout->addWidget(m_readState);
    layout->addWidget(m_progress);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &LedgerPane::CancelReading);
    return row;
}

void LedgerPane::Open(const std::filesystem::path& folder, const std::string& ownNumber) {
    // "/a/b/" names the folder "b" as "/a/b" does.
    m_folder = folder.has_filename() ? folder : folder.parent_path();
    m_ownNumber = ownNumber;
    m_folderLabel->setText(PathText(folder));
    StartReading();
}

void LedgerPane::StartReading() {
    if (m_job) {
        m_job->Cancel();
        m_cancelled.push_back(std::move(m_job));
    }
    m_model->Restart(m_ownNumber);
    m_filters->ForgetClassNames();
    m_job = std::make_unique<LedgerReadJob>(m_folder, m_withSubFolders->isChecked(),
                                            m_verifierFactory, Today());
    m_readState->clear();
    // Busy until the folder is walked and the number of documents known.
    m_progress->setRange(0, 0);
    m_progress->show();
    m_cancel->show();
    m_poll->start();
}

void LedgerPane::CancelReading() {
    if (!m_job) return;
    m_job->Cancel();
    m_cancelled.push_back(std::move(m_job));
    m_progress->hide();
    m_cancel->hide();
    m_readState->setText(QStringLiteral("읽기를 취소했습니다."));
    emit ReadingFinished();
}

void LedgerPane::TakeReadRows() {
    std::erase_if(m_cancelled, [](const auto& job) { return job->Finished(); });
    if (!m_job) {
        if (m_cancelled.empty()) m_poll->stop();
        return;
    }
    // Finished first: the rows taken after it are the last ones.
    const bool finished = m_job->Finished();
    std::vector<LedgerRow> rows = m_job->TakeRows();
    if (const auto count = m_job->DocumentCount()) {
        m_progress->setRange(0, static_cast<int>(*count));
    }
    for (const LedgerRow& row : rows) {
        m_filters->AddClassName(FromUtf8(PlainText(LedgerColumns()[kClassColumn].value(row))));
    }
    m_model->Append(std::move(rows));
    m_progress->setValue(static_cast<int>(m_ledger.RowCount()));
    if (!finished) return;
    m_job.reset();
    m_progress->hide();
    m_cancel->hide();
    emit ReadingFinished();
}

void LedgerPane::OnRowsChanged() {
    m_totals->setText(TotalsText(m_ledger.Totals()));
    if (m_views->currentWidget() == m_summary) m_summary->ShowSummary(m_ledger);
}

void LedgerPane::KeepSelection() {
    const QModelIndex current = m_table->currentIndex();
    m_keptRow.reset();
    if (current.isValid()) m_keptRow = m_model->LedgerRowAt(current.row());
    m_keptScroll = m_table->verticalScrollBar()->value();
}

void LedgerPane::RestoreSelection() {
    m_table->verticalScrollBar()->setValue(m_keptScroll);
    if (!m_keptRow || *m_keptRow >= m_ledger.RowCount()) return;
    if (const auto row = m_model->TableRowOf(*m_keptRow)) {
        m_table->setCurrentIndex(m_model->index(*row, 0));
    }
}

void LedgerPane::SelectOriginalOf(const QModelIndex& index) {
    if (!index.isValid() || static_cast<std::size_t>(index.column()) != kOriginalApprovalColumn) {
        return;
    }
    const auto original = m_ledger.Row(m_model->LedgerRowAt(index.row())).original;
    if (!original) return;
    if (const auto row = m_model->TableRowOf(*original)) {
        m_table->setCurrentIndex(m_model->index(*row, index.column()));
        m_table->scrollTo(m_table->currentIndex());
    }
}

void LedgerPane::LeaveToPage() {
    ShowDocumentOf(m_views->currentWidget() == m_table ? m_table->currentIndex() : QModelIndex());
}

void LedgerPane::ShowDocumentOf(const QModelIndex& index) {
    if (index.isValid()) {
        emit DocumentRequested(m_ledger.Row(m_model->LedgerRowAt(index.row())).path);
    } else {
        emit PageRequested();
    }
}

void LedgerPane::Export() {
    // Without an extension: the file type chosen in the dialog gives it one.
    const std::string name = m_folder.filename().native();
    const std::filesystem::path proposed = m_folder / (name.empty() ? "목록" : name + " 목록");
    const std::filesystem::path file = m_chooseFile(this, proposed);
    if (file.empty()) return;
    if (!LedgerFileTypeOf(file)) {
        emit ErrorMessage(QStringLiteral("목록은 .xlsx 또는 .csv 파일로만 저장할 수 있습니다."));
        return;
    }
    if (!ExportLedger(m_ledger, file)) {
        emit ErrorMessage(QStringLiteral("목록을 저장하지 못했습니다.\n") + PathText(file));
    }
}

}  // namespace ledgra
