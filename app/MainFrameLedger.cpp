// The frame's side of the folder ledger: which folder it lists, and the way back to the page.

#include <QStackedWidget>

#include "app/LedgerPane.h"
#include "app/MainFrame.h"
#include "app/NavoTaxExplorerView.h"
#include "base/Captions.h"
#include "filetree/LeftView.h"
#include "filetree/NativeNames.h"
#include "settings/StoredSettings.h"
#include "text/Cp949.h"
#include "text/QtCp949.h"

namespace ledgra {

void CMainFrame::ConnectLedgerPane() {
    connect(m_ledgerPane, &LedgerPane::PageRequested, this, &CMainFrame::ShowPage);
    connect(m_ledgerPane, &LedgerPane::ErrorMessage, this, [this](const QString& text) {
        ShowMessage(Cp949FromQString(text), ErrorCaption(), MessageIcon::Exclamation);
    });
    connect(m_ledgerPane, &LedgerPane::DocumentRequested, this,
            [this](const std::filesystem::path& document) {
                ShowPage();
                // As a double click in the tree does, when the tree can show the file.
                CMyTreeFileCtrl& tree = m_pLeftView->Tree();
                QTreeWidgetItem* item = tree.SelectPath(
                    PathFromNative(QByteArray::fromStdString(document.native())), false);
                if (item && tree.IsFileItem(item)) {
                    RouteCommand(5);
                } else {
                    ShowDocument(document);
                }
            });
}

void CMainFrame::ShowLedger() {
    CMyTreeFileCtrl& tree = m_pLeftView->Tree();
    QTreeWidgetItem* item = tree.currentItem();
    if (!item || (!tree.IsFolderItem(item) && !tree.IsFileItem(item))) {
        ShowMessage("폴더가 선택되지 않았습니다."_cp949, ErrorCaption(), MessageIcon::Exclamation);
        return;
    }
    std::filesystem::path folder = NativeFromPath(tree.GetItemPath(item)).toStdString();
    if (tree.IsFileItem(item)) folder = folder.parent_path();
    const std::string ownNumber =
        Utf8FromCp949(StoredSettingsReader(*m_services.profile).JoinedOwnNumber());
    m_ledgerPane->Open(folder, ownNumber);
    m_rightPane->setCurrentWidget(m_ledgerPane);
    m_ledgerPane->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::ShowPage() {
    m_rightPane->setCurrentWidget(m_pagePane);
}

bool CMainFrame::LedgerShown() const {
    return m_rightPane->currentWidget() == m_ledgerPane;
}

}  // namespace ledgra
