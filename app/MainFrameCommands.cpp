// The frame's command router and the operations behind the command bar, the tree's double
// click and the hand-off of a second start.

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/ToolBarDlg.h"
#include "base/Captions.h"
#include "filetree/LeftView.h"
#include "filetree/NativeNames.h"
#include "settings/ConfigDlg.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The tree's paths keep the exact bytes of names that are not UTF-8.
std::filesystem::path NativePath(const QString& path) {
    return NativeFromPath(path).toStdString();
}

QString QtPath(const std::string& path) {
    return PathFromNative(QByteArray::fromStdString(path));
}

// The hand-off works on the left view's tree and the frame's show operation.
class FrameHandOffTarget final : public HandOffTarget {
public:
    FrameHandOffTarget(CMyTreeFileCtrl& tree, CMainFrame& frame) : m_tree(tree), m_frame(frame) {}

    bool IsFolderPath(const std::string& path) override {
        return m_tree.IsFolderPath(QtPath(path));
    }
    void SelectPath(const std::string& path, bool expand) override {
        m_tree.SelectPath(QtPath(path), expand);
    }
    void ShowDocument(const std::string& path) override { m_frame.ShowDocument(path); }

private:
    CMyTreeFileCtrl& m_tree;
    CMainFrame& m_frame;
};

}  // namespace

void CMainFrame::RouteCommand(int code) {
    switch (code) {
        case 1:
            OpenSettings();
            break;
        case 2:
            VerifySelectedDocument();
            break;
        case 3:
            PrintDocument();
            break;
        case 4:
            // The copy button: the same document again, as the other copy.
            m_state.m_bShowOtherCopy = 1;
            RouteCommand(6);
            m_state.m_bShowOtherCopy = 0;
            break;
        case 5:
        case 6:
            ShowSelectedDocument(code);
            break;
        default:
            break;
    }
}

void CMainFrame::VerifySelectedDocument() {
    CMyTreeFileCtrl& tree = m_pLeftView->Tree();
    QTreeWidgetItem* item = tree.currentItem();
    const QString path = tree.GetItemPath(item);
    if (item && tree.IsFileItem(item)) VerifyDocument(NativePath(path));
}

void CMainFrame::ShowSelectedDocument(int code) {
    CMyTreeFileCtrl& tree = m_pLeftView->Tree();
    QTreeWidgetItem* item = tree.currentItem();
    if (!item || !tree.IsFileItem(item)) {
        ShowMessage("파일이 선택되지 않았습니다."_cp949, ErrorCaption(),
                    MessageIcon::Exclamation);
        return;
    }
    // The caption counts presses of the copy button; a double click starts it over.
    if (code == 5 || m_state.m_bCopyButtonSupplier == 1) {
        m_wndCommandDlg->SetButtonCaption(kCopyButtonId, QStringLiteral("공급받는자"));
        m_state.m_bCopyButtonSupplier = 0;
    } else {
        m_wndCommandDlg->SetButtonCaption(kCopyButtonId, QStringLiteral("공급자"));
        m_state.m_bCopyButtonSupplier = 1;
    }
    ShowDocument(NativePath(tree.GetItemPath(item)));
    // After a double click the keyboard scrolls the page that came up.
    if (code == 5 && m_state.m_bDocumentShown == 1) m_pHtmlView->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::OpenSettings() {
    // A window of its own, without an owner. Its outcome changes nothing here: the next shown
    // invoice reads the stored number. Its error boxes carry the warning icon.
    CConfigDlg dialog(*m_services.profile, m_services.documentsFolder,
                      [presenter = m_services.presenter](QWidget* owner, const QString& text,
                                                         const QString& caption) {
                          presenter->Present(owner, text, caption, MessageIcon::Exclamation);
                      });
    dialog.exec();
}

void CMainFrame::VerifyDocument(const std::filesystem::path& path) {
    m_run.VerifyDocument(path);
}

void CMainFrame::ShowDocument(const std::filesystem::path& path) {
    m_run.ShowDocument(path);
}

void CMainFrame::OnCopyData(const QByteArray& path) {
    FrameHandOffTarget target(m_pLeftView->Tree(), *this);
    ReceiveHandOff(path.toStdString(), target);
}

}  // namespace ledgra
