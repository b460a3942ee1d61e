// Printing: the print command opens the shown page in a separate window of its own and asks
// for its print preview; with the page pane active, the pane prints itself.

#include <QPointer>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PagePrinting.h"
#include "app/PageProfile.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr QSize kPrintWindowSize(820, 900);

// Clears a flag when the scope ends, however it ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

}  // namespace

void CMainFrame::OnFilePrint() {
    if (m_activePane == Pane::Page) {
        PrintActivePage();
    } else {
        PrintDocument();
    }
}

void CMainFrame::PrintActivePage() {
    if (m_bPrinting || !m_services.choosePrinter(Printer(), this)) return;
    FlagScope printing(m_bPrinting);
    PrintPage(*m_pHtmlView, Printer());
}

void CMainFrame::PrintDocument() {
    // A print command that arrives while one is still under way is dropped.
    if (m_bPrinting) return;
    if (m_state.m_bDocumentShown == 0) {
        ShowMessage("세금계산서를 먼저 검증하십시오."_cp949, "에러 메시지"_cp949,
                    MessageIcon::Exclamation);
        return;
    }
    ShowMessage(
        "프린터 출력이 안될시 조치방법 안내해 드립니다.\n\n"
        "1. 제어판 - 장치 및 프린터 - 사용하는 프린터 선택후 기본프린터 설정\n\n"
        "2. 실행되어진 인터넷 익스플로러 - \"파일\" 메뉴 - \"인쇄\"를 클릭 "_cp949,
        "안내 메시지"_cp949, MessageIcon::Exclamation);
    FlagScope printing(m_bPrinting);

    // The separate window stays open after the preview; the user closes it.
    auto* window = new CNAVO_TaxExplorerView(*m_pageProfile, this);
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(kPrintWindowSize);
    connect(&window->Page(), &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
    m_printWindows.emplace_back(window);
    window->show();

    QPointer<CNAVO_TaxExplorerView> alive(window);
    if (!NavigateAndWait(*window, m_run.HtmlFilePath())) {
        // The page did not come: the window goes, and there is no preview.
        if (alive) window->close();
        return;
    }
    m_services.previewPage(*window, Printer());
}

}  // namespace ledgra
