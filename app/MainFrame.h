#pragma once
// The viewer's one top-level window: the file tree on the left, the page on the right, the
// command bar above and the status bar with the start date below. Every user command arrives
// here and goes to the document session the frame owns, which keeps the state that the
// verification run, the copy button and printing share.

#include <QByteArray>
#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/FrameServices.h"
#include "app/NavoTaxExplorerDoc.h"
#include "app/PrintGuard.h"
#include "app/RunQueue.h"
#include "base/UserInterface.h"
#include "render/PageTemplates.h"
#include "verify/DocumentSession.h"

class QAction;
class QLabel;
class QPrinter;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace ledgra {

class CLeftView;
class CNAVO_TaxExplorerView;
class CToolBarDlg;
class LedgerPane;
class PageProfile;
class SignatureBar;

// The command ids of the menu and the accelerators.
inline constexpr int kNewCommand = 57600;
inline constexpr int kVerifyCommand = 57601;
inline constexpr int kPrintSetupCommand = 57606;
inline constexpr int kPrintCommand = 57607;
inline constexpr int kAboutCommand = 57664;
inline constexpr int kExitCommand = 57665;
inline constexpr int kNextPaneCommand = 57680;
inline constexpr int kPreviousPaneCommand = 57681;
inline constexpr int kStatusBarCommand = 59393;
inline constexpr int kSettingsCommand = 32775;
inline constexpr int kSavePdfCommand = 32776;
inline constexpr int kLedgerCommand = 32777;

// The caption at start-up, also the name the single-instance lock is made from.
inline constexpr const char* kFrameTitle = "Ledgra Viewer 1.0";

// The date pane's text: "%d년 %d월 %d일", without leading zeros.
QString DatePaneText(const QDate& date);

class CMainFrame : public QMainWindow, public UserInterface, public CommandWindow {
    Q_OBJECT

public:
    explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The views' initial update: builds the tree, opens the documents folder and shows the
    // start-up document. Repeated by Ctrl+N with the same start path.
    void InitialUpdate(const std::filesystem::path& startPath);
    // A second start handed over a path (native bytes). A document file dropped anywhere on
    // the window arrives here too.
    void OnCopyData(const QByteArray& path);

    // Frame operations. The commands go to the document session.
    void RouteCommand(int code);
    // A document activated in the tree, shown as a double click shows it.
    void ShowActivatedDocument(const std::filesystem::path& path);
    void OpenSettings() override;
    void PrintDocument() override;
    // Saves the shown page as a PDF file the user names.
    void SaveDocumentAsPdf();
    void VerifyDocument(const std::filesystem::path& path);
    void ShowDocument(const std::filesystem::path& path);
    void SetDocumentTitle(const QString& title);
    // The right pane shows the ledger of the folder selected in the tree (of the file's folder
    // when a file is selected), or the page again.
    void ShowLedger();
    void ShowPage();

    // How the verification run talks to the user.
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetStatusText(const std::string& text) override;
    void NavigateView(const std::filesystem::path& htmlFile) override;

    // What the session's commands ask of the window.
    std::optional<std::filesystem::path> SelectedDocument() override;
    void SetCopyCaption(const std::string& caption) override;
    void FocusShownPage() override;

    FrameState& State() { return m_session.State(); }
    CNAVO_TaxExplorerDoc& GetActiveDocument() { return m_document; }
    CLeftView& LeftView() const { return *m_pLeftView; }
    // The page view, made on first use when the start has not made it yet.
    CNAVO_TaxExplorerView& HtmlView();
    LedgerPane& Ledger() const { return *m_ledgerPane; }
    bool LedgerShown() const;
    CToolBarDlg& CommandDlg() const { return *m_wndCommandDlg; }
    SignatureBar& SignatureLine() const { return *m_signatureBar; }
    QToolBar& ToolBar() const { return *m_wndToolBar; }
    // The action of a command id; null for an id the frame does not know.
    QAction* CommandAction(int id) const;
    QString StatusText() const;
    QString DateText() const;
    // The separate window printing opened, if it is still open (it stays open; later prints
    // reuse it).
    std::vector<CNAVO_TaxExplorerView*> PrintWindows() const;

protected:
    // Makes the page view once the tree is first painted.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Keeps the window's placement in the settings.
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Pane { Tree, Page };

    // The wanted geometry (the frame's place, the inside's size) fitted to its screen.
    void PlaceOnScreen(const QRect& wanted);
    void RememberNormalGeometry();
    void CreateClientArea(int treeWidth);
    // What the tree and the left view ask of the frame.
    void ConnectLeftView();
    void ConnectLedgerPane();
    void CreateStatusBar();
    void CreateCommandBar();
    std::function<void()> AsRun(void (CMainFrame::*command)());
    void CreateMenus();
    void CreateAccelerators();
    // Tab goes from the tree to the command buttons, then to the page.
    void SetTabOrder();
    QAction* AddCommand(int id, const QString& text);
    // The browser profile of every page, made on first use.
    PageProfile& Pages();

    // Ctrl+P and the menu's print item go to the page's own printing while the page is the
    // active pane, else to PrintDocument.
    void OnFilePrint();
    // The print dialog, then the view's page on the chosen printer.
    void PrintWithDialog(QWebEngineView& view);
    // The separate print window, made on first use, shown and in front.
    CNAVO_TaxExplorerView& PrintWindow();
    void UpdateSavePdfCommand();
    // After every run: status pane 0, the signature bar, the copy button and, when the run
    // showed no page, the failure page in its place.
    void OnRunEnded(const RunOutcome& outcome);
    // The outcome pane's text, whole in its tool tip.
    void ShowStatus(const QString& text);
    void OnFilePrintSetup();
    void OnFileNew();
    void OnAppAbout();
    void MoveFocusToOtherPane();
    void OnFocusChanged(QWidget* now);
    QPrinter& Printer();

    FrameServices m_services;
    PageTemplates m_templates;
    DocumentSession m_session;
    std::unique_ptr<PageProfile> m_pageProfile;
    // The session's runs one after another; hand-offs that arrive during one wait their turn.
    RunQueue m_runs;
    CNAVO_TaxExplorerDoc m_document;
    std::filesystem::path m_startPath;
    std::unique_ptr<QPrinter> m_printer;
    PrintGuard m_printGuard;
    Pane m_activePane = Pane::Tree;
    // The place and size of the window while neither maximised nor minimised.
    QRect m_normalGeometry;
    // Cut first thing in the destructor: focus moves while the child widgets are destroyed.
    QMetaObject::Connection m_focusConnection;

    QSplitter* m_wndSplitter = nullptr;
    CLeftView* m_pLeftView = nullptr;
    CNAVO_TaxExplorerView* m_pHtmlView = nullptr;
    // The right pane: the page with its signature bar, or the ledger in its place.
    QStackedWidget* m_rightPane = nullptr;
    QWidget* m_pagePane = nullptr;
    SignatureBar* m_signatureBar = nullptr;
    LedgerPane* m_ledgerPane = nullptr;
    QLabel* m_wndMessagePane = nullptr;
    QLabel* m_wndDatePane = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    CToolBarDlg* m_wndCommandDlg = nullptr;
    std::map<int, QAction*> m_actions;
    QPointer<CNAVO_TaxExplorerView> m_printWindow;
};

}  // namespace ledgra
