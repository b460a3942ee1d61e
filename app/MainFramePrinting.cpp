// Printing: the print command opens the shown page in a separate window of its own and asks
// for its print preview; with the page pane active, the pane prints itself. The shown page can
// also be saved as a PDF.

#include <QAction>
#include <QPointer>
#include <QScreen>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PagePrinting.h"
#include "app/PageProfile.h"
#include "app/PdfExport.h"
#include "app/VerificationSummary.h"
#include "base/Captions.h"
#include "filetree/NativeNames.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The print window's size where the screen has room for it; it shows one A4 page across.
constexpr QSize kPrintWindowSize(820, 900);
// The share of the screen's free area the print window may take at most.
constexpr double kPrintWindowScreenShare = 0.9;

// The print window's place: its own size where the screen allows, centred on the screen.
QRect PrintWindowGeometry(const QScreen* screen) {
    if (!screen) return QRect(QPoint(0, 0), kPrintWindowSize);
    const QRect available = screen->availableGeometry();
    const QSize size = kPrintWindowSize.boundedTo(available.size() * kPrintWindowScreenShare);
    QRect geometry(QPoint(0, 0), size);
    geometry.moveCenter(available.center());
    return geometry;
}

}  // namespace

void CMainFrame::OnFilePrint() {
    if (m_activePane == Pane::Page) {
        PrintWithDialog(HtmlView());
    } else {
        PrintDocument();
    }
}

void CMainFrame::PrintWithDialog(QWebEngineView& view) {
    std::optional<PrintGuard::Scope> printing = m_printGuard.Enter();
    if (!printing || !m_services.choosePrinter(Printer(), &view)) return;
    const PrintResult result = PrintPage(view, Printer(), *printing);
    if (result == PrintResult::Failed || result == PrintResult::TimedOut) {
        ShowMessage("인쇄하지 못했습니다."_cp949, ErrorCaption(), MessageIcon::Exclamation);
    }
}

CNAVO_TaxExplorerView& CMainFrame::PrintWindow() {
    if (!m_printWindow) {
        auto* window = new CNAVO_TaxExplorerView(Pages(), this);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setGeometry(PrintWindowGeometry(screen()));
        connect(&window->Page(), &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
        // The window's own Ctrl+P prints its page through the print dialog.
        auto* print = new QAction(window);
        print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        print->setShortcutContext(Qt::WindowShortcut);
        connect(print, &QAction::triggered, this, [this, window] { PrintWithDialog(*window); });
        window->addAction(print);
        m_printWindow = window;
    }
    m_printWindow->show();
    m_printWindow->raise();
    m_printWindow->activateWindow();
    return *m_printWindow;
}

void CMainFrame::PrintDocument() {
    // A print command that arrives while one is still under way is dropped.
    std::optional<PrintGuard::Scope> printing = m_printGuard.Enter();
    if (!printing) return;
    if (State().m_bDocumentShown == 0) {
        ShowMessage("세금계산서를 먼저 검증하십시오."_cp949, ErrorCaption(),
                    MessageIcon::Exclamation);
        return;
    }
    ShowMessage(
        "프린터 출력이 안될시 조치방법 안내해 드립니다.\n\n"
        "1. 시스템 설정 - 프린터 - 사용하는 프린터를 기본 프린터로 설정\n\n"
        "2. 인쇄 미리 보기 창의 \"인쇄\" 단추를 클릭"_cp949,
        "안내 메시지"_cp949, MessageIcon::Exclamation);

    // One window serves every print: a later print brings it to the front and loads the page
    // again. It stays open after the preview; the user closes it.
    CNAVO_TaxExplorerView& window = PrintWindow();
    QPointer<CNAVO_TaxExplorerView> alive(&window);
    if (!NavigateAndWait(window, m_session.HtmlFilePath())) {
        // The page did not come: the window goes, and there is no preview.
        if (alive) window.close();
        return;
    }
    m_services.previewPage(window, Printer(), *printing);
}

void CMainFrame::SaveDocumentAsPdf() {
    const std::optional<PrintGuard::Scope> printing = m_printGuard.Enter();
    if (!printing || State().m_bDocumentShown == 0) return;
    const std::filesystem::path& document = State().m_strDocPath;
    const std::filesystem::path file =
        m_services.choosePdfFile(this, document.parent_path() / PdfFileName(document));
    if (file.empty()) return;
    // The proof is that of the run that made the shown page: a page is shown only after the
    // run that made it, and only that run's outcome is the session's.
    if (!SavePageWithProof(HtmlView().Page(), file, SummaryOfRun(m_session.LastOutcome()))) {
        ShowMessage("PDF 파일을 저장하지 못했습니다."_cp949, ErrorCaption(),
                    MessageIcon::Exclamation);
        return;
    }
    ShowStatus(QStringLiteral("PDF로 저장했습니다: ") + DisplayPath(file));
}

void CMainFrame::UpdateSavePdfCommand() {
    CommandAction(kSavePdfCommand)->setEnabled(State().m_bDocumentShown == 1);
}

}  // namespace ledgra
