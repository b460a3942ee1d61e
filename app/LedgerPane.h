#pragma once
// The folder ledger in the right pane: every document of a folder in one table, read off the
// interface thread as the rows come, with the filter, the totals of the rows shown, the
// summary and the export to a spreadsheet.

#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/LedgerReadJob.h"
#include "ledger/LedgerModel.h"
#include "verify/SignedDataVerifier.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace ledgra {

class LedgerFilterBar;
class LedgerSummaryTable;
class LedgerTableModel;

class LedgerPane final : public QWidget {
    Q_OBJECT

public:
    // The save dialog of the export, proposing a file; empty when the user cancelled. It asks
    // before a file is replaced.
    using FileChooser = std::function<std::filesystem::path(QWidget* parent,
                                                            const std::filesystem::path& proposed)>;

    explicit LedgerPane(SignedDataVerifierFactory verifierFactory, QWidget* parent = nullptr);
    ~LedgerPane() override;

    // Lists the folder, cancelling a reading under way. `ownNumber` decides 매출 and 매입.
    void Open(const std::filesystem::path& folder, const std::string& ownNumber);
    void CancelReading();
    bool Reading() const { return m_job != nullptr; }
    // Saves the rows shown as the file the chooser names.
    void Export();
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    const std::filesystem::path& Folder() const { return m_folder; }
    QTableView& Table() const { return *m_table; }
    LedgerTableModel& Model() const { return *m_model; }
    LedgerFilterBar& Filters() const { return *m_filters; }
    LedgerSummaryTable& Summary() const { return *m_summary; }
    QCheckBox& WithSubFolders() const { return *m_withSubFolders; }
    QPushButton& SummaryButton() const { return *m_summaryButton; }
    QLabel& TotalsLine() const { return *m_totals; }
    QProgressBar& Progress() const { return *m_progress; }

signals:
    // Back to the page, showing this document.
    void DocumentRequested(const std::filesystem::path& document);
    // Back to the page as it was.
    void PageRequested();
    void ReadingFinished();
    void ErrorMessage(const QString& text);

private:
    QWidget* MakeCommandRow();
    QWidget* MakeStatusRow();
    void StartReading();
    void TakeReadRows();
    void OnRowsChanged();
    // The chosen row's document, else the page as it was.
    void LeaveToPage();
    void ShowDocumentOf(const QModelIndex& index);
    void SelectOriginalOf(const QModelIndex& index);
    void KeepSelection();
    void RestoreSelection();

    SignedDataVerifierFactory m_verifierFactory;
    FileChooser m_chooseFile;
    std::filesystem::path m_folder;
    std::string m_ownNumber;
    LedgerModel m_ledger;
    std::unique_ptr<LedgerReadJob> m_job;
    // Cancelled readings finishing the documents they hold, dropped once done.
    std::vector<std::unique_ptr<LedgerReadJob>> m_cancelled;
    std::optional<std::size_t> m_keptRow;
    int m_keptScroll = 0;

    LedgerTableModel* m_model = nullptr;
    QLabel* m_folderLabel = nullptr;
    QCheckBox* m_withSubFolders = nullptr;
    QPushButton* m_summaryButton = nullptr;
    LedgerFilterBar* m_filters = nullptr;
    QStackedWidget* m_views = nullptr;
    QTableView* m_table = nullptr;
    LedgerSummaryTable* m_summary = nullptr;
    QLabel* m_totals = nullptr;
    QLabel* m_readState = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer* m_poll = nullptr;
};

}  // namespace ledgra
