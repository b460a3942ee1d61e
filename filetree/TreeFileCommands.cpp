// The file tree's commands: their actions and keys, when each is enabled, Open and Properties
// through the desktop, and Rename and Delete behind their switches.

#include "filetree/TreeFileCommands.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QUrl>

#include "filetree/DesktopApplications.h"
#include "filetree/FilePropertiesDlg.h"
#include "filetree/FolderListing.h"
#include "filetree/NativeNames.h"
#include "filetree/TreeFileCtrl.h"
#include "filetree/TreeRenameDelete.h"

namespace ledgra {

namespace {

constexpr int kFileManagerTimeoutMs = 3000;

bool IsOpenableNetworkInfo(const CTreeFileCtrlItemInfo& info) {
    if (!info.m_bNetworkItem) return true;
    return info.m_pNetInfo &&
           (info.m_pNetInfo->m_dwDisplayType == NetworkResourceInfo::kDisplayTypeServer ||
            info.m_pNetInfo->m_dwDisplayType == NetworkResourceInfo::kDisplayTypeShare);
}

// The address of a local path, its bytes percent-encoded as they are.
QUrl FileUrl(const QString& path) {
    return QUrl::fromEncoded(QByteArray("file://") + NativeFromPath(path).toPercentEncoding("/"));
}

bool IsServer(const CTreeFileCtrlItemInfo& info) {
    const NetworkResourceInfo* net = info.m_pNetInfo.get();
    return net && net->m_dwDisplayType == NetworkResourceInfo::kDisplayTypeServer;
}

// What the desktop opens for an item: a server as an SMB address, anything else as a file.
QUrl ItemUrl(const CTreeFileCtrlItemInfo& info) {
    if (IsServer(info)) return QUrl(QStringLiteral("smb://") + info.m_strName);
    return FileUrl(info.m_strFullPath);
}

// The MIME type the desktop opens an item by; a file's by its name, not by reading it.
QString ItemMimeType(const CTreeFileCtrlItemInfo& info) {
    if (IsServer(info)) return QStringLiteral("x-scheme-handler/smb");
    if (KindOfPath(info.m_strFullPath) == PathKind::Folder)
        return QStringLiteral("inode/directory");
    return QMimeDatabase()
        .mimeTypeForFile(DisplayName(info.m_strFullPath), QMimeDatabase::MatchExtension)
        .name();
}

}  // namespace

void CTreeFileCtrl::CreateCommandActions() {
    for (const TreeFileCommandInfo& command : TreeFileCommands()) {
        auto* action = new QAction(QString::fromLatin1(command.m_text), this);
        action->setShortcuts(command.m_keys);
        // The keys belong to the tree while it has the focus; a label editor inside it has
        // the focus then, so Enter and Escape reach the editor first.
        action->setShortcutContext(Qt::WidgetShortcut);
        const int id = command.m_id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
        m_actions[id] = action;
    }
    // Right clicks show no menu.
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Each change of the items can change what the commands apply to.
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &CTreeFileCtrl::UpdateCommandStates);
    UpdateCommandStates();
}

QAction* CTreeFileCtrl::CommandAction(int id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

bool CTreeFileCtrl::IsCommandEnabled(int id) const {
    QTreeWidgetItem* caret = currentItem();
    const CTreeFileCtrlItemInfo* info = GetItemInfo(caret);
    // An item without a path (the desktop root, Computer, Network) has nothing to act on, and
    // the documents folder is the viewer's own: it is neither renamed nor deleted.
    const bool hasPath = info && !info->m_strFullPath.isEmpty();
    const bool changeable =
        hasPath && !IsDriveItem(caret) && !info->m_bNetworkItem && caret != DocumentsItem();
    switch (id) {
        case kTreeOpenCommand:
            return hasPath && m_bAllowOpen && IsOpenableNetworkInfo(*info);
        case kTreePropertiesCommand:
            return hasPath && m_bAllowProperties && IsOpenableNetworkInfo(*info);
        case kTreeRenameCommand:
            return changeable && m_bAllowRename;
        case kTreeDeleteCommand:
            return changeable && m_bAllowDelete;
        case kTreeRefreshCommand:
            return true;
        case kTreeUpOneLevelCommand:
            return caret && caret->parent();
        case kTreeBackCommand:
            return HasBackEntries();
        case kTreeForwardCommand:
            return HasForwardEntries();
        default:
            return false;
    }
}

void CTreeFileCtrl::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) action->setEnabled(IsCommandEnabled(id));
}

void CTreeFileCtrl::OnCommand(int id) {
    if (!IsCommandEnabled(id)) return;
    QTreeWidgetItem* caret = currentItem();
    switch (id) {
        case kTreeOpenCommand:
            // Documents are this viewer's own; anything else goes to the desktop's program.
            if (!ActivateDocumentItem(caret) && !OpenWithShell(caret))
                emit OpenRefused(QStringLiteral("이 파일을 열 프로그램이 없습니다."));
            break;
        case kTreePropertiesCommand:
            OpenPropertiesSheet(caret);
            break;
        case kTreeRenameCommand:
            BeginRename(caret);
            break;
        case kTreeDeleteCommand:
            DeleteItemFile(caret);
            break;
        case kTreeRefreshCommand:
            RebuildTree();
            break;
        case kTreeUpOneLevelCommand:
            SelectAsCaret(caret->parent());
            break;
        case kTreeBackCommand:
            StepHistory(m_backList, m_forwardList);
            break;
        case kTreeForwardCommand:
            StepHistory(m_forwardList, m_backList);
            break;
        default:
            break;
    }
    UpdateCommandStates();
}

bool CTreeFileCtrl::OpenWithShell(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!m_bAllowOpen || !info || info->m_strFullPath.isEmpty()) return false;
    // The desktop's opener only prints on the terminal when it finds no program.
    return HasDesktopApplication(ItemMimeType(*info)) && QDesktopServices::openUrl(ItemUrl(*info));
}

bool CTreeFileCtrl::BeginRename(QTreeWidgetItem* item) {
    return m_bAllowRename && m_renameDelete && m_renameDelete->BeginRename(item);
}

bool CTreeFileCtrl::EndRename(QTreeWidgetItem* item, const QString& text) {
    return m_renameDelete && m_renameDelete->EndRename(item, text);
}

bool CTreeFileCtrl::DeleteItemFile(QTreeWidgetItem* item) {
    const bool permanent = QApplication::keyboardModifiers() & Qt::ShiftModifier;
    return m_bAllowDelete && m_renameDelete && m_renameDelete->Delete(item, permanent);
}

bool CTreeFileCtrl::ConfirmDelete(const QString& path, bool permanent) {
    const QString question = permanent ? QStringLiteral("\"%1\"을(를) 영구히 삭제하시겠습니까?")
                                       : QStringLiteral("\"%1\"을(를) 휴지통으로 옮기시겠습니까?");
    return QMessageBox::question(window(), QString(), question.arg(DisplayName(path))) ==
           QMessageBox::Yes;
}

bool CTreeFileCtrl::OpenPropertiesSheet(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!m_bAllowProperties || !info || info->m_strFullPath.isEmpty()) return false;
    // The file manager's own window where one answers on the session bus.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    if (bus.isConnected() && bus.interface() &&
        (bus.interface()->isServiceRegistered(service) ||
         bus.interface()->activatableServiceNames().value().contains(service))) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/FileManager1"),
                                           service, QStringLiteral("ShowItemProperties"));
        call << QStringList{ItemUrl(*info).toString(QUrl::FullyEncoded)} << QString();
        if (bus.call(call, QDBus::Block, kFileManagerTimeoutMs).type() ==
            QDBusMessage::ReplyMessage)
            return true;
    }
    auto* dialog = new CFilePropertiesDlg(info->m_strFullPath, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}

void CTreeFileCtrl::ShowFocusInSelection(bool focused) {
    // Without the focus the selection is drawn in the window's quiet colour, so that the
    // user sees where the keys go.
    QPalette shown = palette();
    const QPalette standard = QApplication::palette(this);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        shown.setColor(group, QPalette::Highlight,
                       focused ? standard.color(group, QPalette::Highlight)
                               : standard.color(group, QPalette::Midlight));
        shown.setColor(group, QPalette::HighlightedText,
                       focused ? standard.color(group, QPalette::HighlightedText)
                               : standard.color(group, QPalette::Text));
    }
    setPalette(shown);
}

void CTreeFileCtrl::focusInEvent(QFocusEvent* event) {
    ShowFocusInSelection(true);
    QTreeWidget::focusInEvent(event);
}

void CTreeFileCtrl::focusOutEvent(QFocusEvent* event) {
    // A label editor of the tree's own keeps the tree's look.
    if (!isAncestorOf(QApplication::focusWidget())) ShowFocusInSelection(false);
    QTreeWidget::focusOutEvent(event);
}

}  // namespace ledgra
