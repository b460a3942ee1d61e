// The frame's menu, its accelerators and the commands only they reach.

#include <QAction>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QStatusBar>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "filetree/LeftView.h"

namespace ledgra {

QAction* CMainFrame::AddCommand(int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(id);
    // The frame's commands work wherever the focus is in the window, the page included.
    action->setShortcutContext(Qt::WindowShortcut);
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::CommandAction(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("파일(&F)"));
    QAction* verify = AddCommand(kVerifyCommand, QStringLiteral("검증(&O)...\tCtrl+O"));
    verify->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(verify, &QAction::triggered, this,
            [this] { RouteCommand(static_cast<int>(FrameCommand::VerifySelected)); });
    file->addAction(verify);

    QAction* settings = AddCommand(kSettingsCommand, QStringLiteral("설정(&S)...\tCtrl+S"));
    settings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(settings, &QAction::triggered, this, &CMainFrame::OpenSettings);
    file->addAction(settings);

    QAction* print = AddCommand(kPrintCommand, QStringLiteral("인쇄(&P)...\tCtrl+P"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QAction::triggered, this, &CMainFrame::OnFilePrint);
    file->addAction(print);

    QAction* printSetup = AddCommand(kPrintSetupCommand, QStringLiteral("인쇄 설정(&R)..."));
    connect(printSetup, &QAction::triggered, this, &CMainFrame::OnFilePrintSetup);
    file->addAction(printSetup);

    // Only a shown page can be saved; the item follows that each time the menu opens.
    QAction* savePdf = AddCommand(kSavePdfCommand, QStringLiteral("PDF로 저장(&A)..."));
    connect(savePdf, &QAction::triggered, this, &CMainFrame::SaveDocumentAsPdf);
    file->addAction(savePdf);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateSavePdfCommand);
    UpdateSavePdfCommand();

    QAction* ledger = AddCommand(kLedgerCommand, QStringLiteral("목록 보기(&L)\tCtrl+L"));
    ledger->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(ledger, &QAction::triggered, this, &CMainFrame::ShowLedger);
    file->addAction(ledger);

    file->addSeparator();
    QAction* exit = AddCommand(kExitCommand, QStringLiteral("종료(&X)"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    file->addAction(exit);

    QMenu* view = menuBar()->addMenu(QStringLiteral("보기(&V)"));
    QAction* statusBarShown = AddCommand(kStatusBarCommand, QStringLiteral("상태 표시줄(&S)"));
    statusBarShown->setCheckable(true);
    statusBarShown->setChecked(true);
    connect(statusBarShown, &QAction::toggled, statusBar(), &QWidget::setVisible);
    view->addAction(statusBarShown);

    QMenu* help = menuBar()->addMenu(QStringLiteral("도움말(&H)"));
    QAction* about = AddCommand(kAboutCommand, QStringLiteral("Viewer 1.0 정보(&A)..."));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    help->addAction(about);
}

void CMainFrame::CreateAccelerators() {
    // Accelerators without a menu item. Cut, copy, paste and undo are left to the focused
    // widget: the page and the tree handle those keys themselves.
    QAction* newDocument = AddCommand(kNewCommand, QString());
    newDocument->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newDocument, &QAction::triggered, this, &CMainFrame::OnFileNew);
    addAction(newDocument);

    QAction* nextPane = AddCommand(kNextPaneCommand, QString());
    nextPane->setShortcut(QKeySequence(Qt::Key_F6));
    connect(nextPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
    addAction(nextPane);

    // With two panes the previous pane is the next one.
    QAction* previousPane = AddCommand(kPreviousPaneCommand, QString());
    previousPane->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    connect(previousPane, &QAction::triggered, this, &CMainFrame::MoveFocusToOtherPane);
    addAction(previousPane);
}

void CMainFrame::OnFileNew() {
    m_document.OnNewDocument();
    InitialUpdate(m_startPath);
}

void CMainFrame::OnAppAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::OnFilePrintSetup() {
    QPageSetupDialog setup(&Printer(), this);
    setup.exec();
}

}  // namespace ledgra
