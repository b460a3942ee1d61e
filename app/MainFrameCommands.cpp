// The frame's command router and the operations behind the command bar, the tree's double
// click and the hand-off of a second start.

#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "app/ToolBarDlg.h"
#include "filetree/LeftView.h"
#include "filetree/NativeNames.h"
#include "settings/ConfigDlg.h"
#include "text/QtCp949.h"

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
    m_runs.RunNow([&] { m_session.Route(static_cast<FrameCommand>(code), *this); });
}

void CMainFrame::ShowActivatedDocument(const std::filesystem::path& path) {
    m_runs.RunNow([&] { m_session.ShowActivatedDocument(path, *this); });
}

std::optional<std::filesystem::path> CMainFrame::SelectedDocument() {
    CMyTreeFileCtrl& tree = m_pLeftView->Tree();
    QTreeWidgetItem* item = tree.currentItem();
    if (!item || !tree.IsFileItem(item)) return std::nullopt;
    return NativePath(tree.GetItemPath(item));
}

void CMainFrame::SetCopyCaption(const std::string& caption) {
    m_wndCommandDlg->SetButtonCaption(kCopyButtonId, QStringFromCp949(caption));
}

void CMainFrame::FocusShownPage() {
    // After a double click the keyboard scrolls the page that came up.
    m_pHtmlView->setFocus(Qt::OtherFocusReason);
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
    m_runs.RunNow([&] { m_session.VerifyDocument(path); });
}

void CMainFrame::ShowDocument(const std::filesystem::path& path) {
    m_runs.RunNow([&] { m_session.ShowDocument(path); });
}

void CMainFrame::OnCopyData(const QByteArray& path) {
    // The tree's selection and the title change with the hand-off: it waits for the run in
    // progress as a whole.
    m_runs.RunInTurn([this, handedOff = path.toStdString()] {
        FrameHandOffTarget target(m_pLeftView->Tree(), *this);
        ReceiveHandOff(handedOff, target);
    });
}

}  // namespace ledgra
