#include "app/MainFrame.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/DocumentDrop.h"
#include "app/LedgerPane.h"
#include "app/MainFramePlacement.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PageProfile.h"
#include "app/SignatureBar.h"
#include "app/ToolBarDlg.h"
#include "base/Captions.h"
#include "base/Folders.h"
#include "base/ProgramNames.h"
#include "filetree/LeftView.h"
#include "filetree/NativeNames.h"
#include "text/QtCp949.h"

namespace ledgra {
namespace {

// Room on both sides of the date in its pane.
constexpr int kDatePanePadding = 12;

}  // namespace

QString DatePaneText(const QDate& date) {
    return QStringLiteral("%1년 %2월 %3일").arg(date.year()).arg(date.month()).arg(date.day());
}

CMainFrame::CMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent),
      m_services(std::move(services)),
      // The frame makes the log folder when it is built.
      m_session(CreateLogFolder(m_services.documentsFolder), *m_services.profile, m_templates,
                *this, m_services.verifierFactory) {
    const FramePlacement placement = StoredPlacement(*m_services.profile);
    PlaceOnScreen(placement.geometry);
    setWindowTitle(QString::fromLatin1(kDocumentTypeTitle));
    CreateClientArea(placement.treeWidth);
    // Shown maximised when it was left so; its normal geometry stays the one above.
    if (placement.maximised) setWindowState(Qt::WindowMaximized);
    CreateStatusBar();
    CreateCommandBar();
    CreateMenus();
    CreateAccelerators();
    SetTabOrder();
    m_session.OnRunEnded([this](const RunOutcome& outcome) { OnRunEnded(outcome); });
    // No invoice is shown yet, so there is no other copy to show.
    m_wndCommandDlg->Button(kCopyButtonId)->setEnabled(false);
    // The drop target of both panes: neither the tree nor the page takes drops itself.
    setAcceptDrops(true);
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    // The browser engine takes a good part of the start to come up: the tree is painted first,
    // and the page view made right after.
    m_pLeftView->Tree().viewport()->installEventFilter(this);
}

CMainFrame::~CMainFrame() {
    disconnect(m_focusConnection);
    // Every page must be gone before the profile it runs in: the page pane, the print windows
    // and the windows that pages opened.
    std::vector<QPointer<CNAVO_TaxExplorerView>> views;
    for (CNAVO_TaxExplorerView* view : findChildren<CNAVO_TaxExplorerView*>()) {
        views.emplace_back(view);
    }
    for (const QPointer<CNAVO_TaxExplorerView>& view : views) delete view.data();
}

void CMainFrame::PlaceOnScreen(const QRect& wanted) {
    // On the screen the window was left on; the first screen when that one is gone.
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect geometry = screen ? FittedGeometry(wanted, screen->availableGeometry()) : wanted;
    move(geometry.topLeft());
    resize(geometry.size());
    m_normalGeometry = geometry;
}

void CMainFrame::RememberNormalGeometry() {
    if (windowState() == Qt::WindowNoState) m_normalGeometry = QRect(pos(), size());
}

void CMainFrame::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RememberNormalGeometry();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RememberNormalGeometry();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    StorePlacement(*m_services.profile,
                   {m_normalGeometry, isMaximized(), m_wndSplitter->sizes().value(0)});
    QMainWindow::closeEvent(event);
}

void CMainFrame::CreateClientArea(int treeWidth) {
    m_wndSplitter = new QSplitter(Qt::Horizontal, this);
    m_wndSplitter->setChildrenCollapsible(false);
    m_pLeftView = new CLeftView(m_wndSplitter);
    m_rightPane = new QStackedWidget(m_wndSplitter);
    // The signature bar sits above the page, outside it.
    m_pagePane = new QWidget(m_rightPane);
    m_signatureBar = new SignatureBar(m_pagePane);
    auto* pageLayout = new QVBoxLayout(m_pagePane);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(m_signatureBar);
    // Where the page view comes once it is made (HtmlView).
    pageLayout->addWidget(new QWidget(m_pagePane), 1);
    m_ledgerPane = new LedgerPane(m_services.verifierFactory, m_rightPane);
    // The ledger's bars are wide; they must not push the tree narrower than the user left it
    // while the page is shown.
    m_ledgerPane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_rightPane->addWidget(m_pagePane);
    m_rightPane->addWidget(m_ledgerPane);
    m_wndSplitter->addWidget(m_pLeftView);
    m_wndSplitter->addWidget(m_rightPane);
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({treeWidth, width() - treeWidth});
    setCentralWidget(m_wndSplitter);
    ConnectLeftView();
    ConnectLedgerPane();
}

void CMainFrame::ConnectLeftView() {
    CMyTreeFileCtrl& tree = m_pLeftView->Tree();
    connect(&tree, &CMyTreeFileCtrl::PathSelected, this, &CMainFrame::SetDocumentTitle);
    // A double click or Enter on a document: the show run of the double click.
    connect(&tree, &CTreeFileCtrl::DocumentActivated, this, [this](const QString& path) {
        ShowActivatedDocument(NativeFromPath(path).toStdString());
    });
    connect(&tree, &CTreeFileCtrl::OpenRefused, this, [this](const QString& message) {
        ShowMessage(Cp949FromQString(message), ErrorCaption(), MessageIcon::Exclamation);
    });
    connect(m_pLeftView, &CLeftView::StartDocumentRequested, this,
            [this](const QString& path) { ShowDocument(NativeFromPath(path).toStdString()); });
}

void CMainFrame::CreateStatusBar() {
    // Pane 0 carries the run's progress texts; the date pane keeps the start date. The key-lock
    // panes are left out: the platform does not report the state of those keys.
    m_wndMessagePane = new QLabel(this);
    m_wndMessagePane->setTextFormat(Qt::PlainText);
    // The outcome pane takes the width the date leaves, however long its text: a longer text
    // is cut at the pane's end and shows whole in its tool tip.
    m_wndMessagePane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_wndDatePane = new QLabel(DatePaneText(QDate::currentDate()), this);
    m_wndDatePane->setFixedWidth(
        m_wndDatePane->fontMetrics().horizontalAdvance(m_wndDatePane->text()) +
        2 * kDatePanePadding);
    m_wndDatePane->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(m_wndMessagePane, 1);
    statusBar()->addPermanentWidget(m_wndDatePane);
}

void CMainFrame::CreateCommandBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("commandBar"));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_wndToolBar->setMovable(true);
    m_wndCommandDlg = new CToolBarDlg(*this, m_wndToolBar);
    m_wndToolBar->addWidget(m_wndCommandDlg);
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::SetTabOrder() {
    QWidget* previous = &m_pLeftView->Tree();
    for (const int id : {kVerifyButtonId, kPrintButtonId, kSettingsButtonId, kCopyButtonId}) {
        QWidget* button = m_wndCommandDlg->Button(id);
        setTabOrder(previous, button);
        previous = button;
    }
    setTabOrder(previous, &m_signatureBar->DetailsButton());
    if (m_pHtmlView) setTabOrder(&m_signatureBar->DetailsButton(), m_pHtmlView);
}

PageProfile& CMainFrame::Pages() {
    if (!m_pageProfile) m_pageProfile = std::make_unique<PageProfile>(State().m_strLogFolder);
    return *m_pageProfile;
}

CNAVO_TaxExplorerView& CMainFrame::HtmlView() {
    if (!m_pHtmlView) {
        m_pHtmlView = new CNAVO_TaxExplorerView(Pages(), m_pagePane);
        m_pHtmlView->RememberZoomIn(*m_services.profile);
        QLayout& pageLayout = *m_pagePane->layout();
        QWidget* place = pageLayout.itemAt(pageLayout.count() - 1)->widget();
        delete pageLayout.replaceWidget(place, m_pHtmlView);
        delete place;
        // At once, not when the layout would show it: it may be given the focus right away.
        m_pHtmlView->show();
        m_pagePane->setFocusProxy(m_pHtmlView);
        SetTabOrder();
    }
    return *m_pHtmlView;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == m_pLeftView->Tree().viewport()) {
        watched->removeEventFilter(this);
        // Once this paint is on the screen.
        QTimer::singleShot(0, this, [this] { HtmlView(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedDocumentPath(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedDocumentPath(*event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const std::optional<std::string> path = DroppedDocumentPath(*event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The run may open message boxes: it starts once the drag has ended, not inside it.
    QMetaObject::invokeMethod(
        this, [this, document = QByteArray::fromStdString(*path)] { OnCopyData(document); },
        Qt::QueuedConnection);
}

void CMainFrame::InitialUpdate(const std::filesystem::path& startPath) {
    m_startPath = startPath;
    m_pLeftView->OnInitialUpdate(PathFromNative(QByteArray::fromStdString(startPath.native())));
}

void CMainFrame::SetDocumentTitle(const QString& title) {
    m_document.SetTitle(title);
    const QString typeTitle = QString::fromLatin1(kDocumentTypeTitle);
    setWindowTitle(title.isEmpty() ? typeTitle : DisplayName(title) + QStringLiteral(" - ") + typeTitle);
}

void CMainFrame::ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    m_services.presenter->Present(this, QStringFromCp949(text), QStringFromCp949(caption), icon);
}

void CMainFrame::SetStatusText(const std::string& text) {
    ShowStatus(QStringFromCp949(text));
}

void CMainFrame::ShowStatus(const QString& text) {
    m_wndMessagePane->setText(text);
    m_wndMessagePane->setToolTip(text);
}

void CMainFrame::NavigateView(const std::filesystem::path& htmlFile) {
    HtmlView().Navigate2(htmlFile);
}

QString CMainFrame::StatusText() const {
    return m_wndMessagePane->text();
}

QString CMainFrame::DateText() const {
    return m_wndDatePane->text();
}

std::vector<CNAVO_TaxExplorerView*> CMainFrame::PrintWindows() const {
    if (!m_printWindow) return {};
    return {m_printWindow.data()};
}

QPrinter& CMainFrame::Printer() {
    // Made on first use: finding the printers can take a moment.
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CMainFrame::OnFocusChanged(QWidget* now) {
    if (!now) return;
    if (m_pLeftView->isAncestorOf(now)) {
        m_activePane = Pane::Tree;
    } else if (m_pHtmlView && (now == m_pHtmlView || m_pHtmlView->isAncestorOf(now))) {
        m_activePane = Pane::Page;
    }
}

void CMainFrame::MoveFocusToOtherPane() {
    if (m_activePane == Pane::Tree) {
        if (!LedgerShown()) HtmlView();
        m_rightPane->currentWidget()->setFocus(Qt::OtherFocusReason);
    } else {
        m_pLeftView->Tree().setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace ledgra
