// What the window shows of a run once it has ended.

#include <QAbstractButton>

#include "app/FailurePage.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/SignatureBar.h"
#include "app/ToolBarDlg.h"
#include "text/QtCp949.h"

namespace ledgra {

void CMainFrame::OnRunEnded(const RunOutcome& outcome) {
    // The run's start text, or the verdict of an earlier document, must not outlive the run.
    ShowStatus(QStringFromCp949(outcome.statusLine));
    m_signatureBar->ShowRun(outcome);
    m_wndCommandDlg->Button(kCopyButtonId)->setEnabled(m_session.OtherCopyAvailable());
    if (!outcome.shown) HtmlView().ShowNotice(FailurePageHtml(outcome));
}

}  // namespace ledgra
