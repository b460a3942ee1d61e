#include "filetree/TreeFileCtrl.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

#include "filetree/FolderListing.h"
#include "filetree/ScopedGuards.h"
#include "filetree/ShareEnumerator.h"
#include "filetree/SystemImageList.h"
#include "filetree/TreeFileCtrlItem.h"

namespace ledgra {

CTreeFileCtrl::CTreeFileCtrl(QWidget* parent)
    : QTreeWidget(parent),
      m_shares(std::make_unique<CShareEnumerator>()),
      m_images(std::make_unique<CSystemImageList>()) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setAnimated(false);
    m_volumes = ListVolumes();
    connect(this, &QTreeWidget::itemExpanded, this, &CTreeFileCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CTreeFileCtrl::OnItemCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this, &CTreeFileCtrl::OnCurrentItemChanged);
}

CTreeFileCtrl::~CTreeFileCtrl() = default;

CTreeFileCtrlItemInfo* CTreeFileCtrl::GetItemInfo(QTreeWidgetItem* item) {
    if (!item || item->type() != CTreeFileCtrlItem::kItemType) return nullptr;
    return &static_cast<CTreeFileCtrlItem*>(item)->Info();
}

bool CTreeFileCtrl::HasChildFlag(const QTreeWidgetItem* item) {
    return item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

void CTreeFileCtrl::SetChildFlag(QTreeWidgetItem* item, bool flag) {
    item->setChildIndicatorPolicy(flag ? QTreeWidgetItem::ShowIndicator
                                       : QTreeWidgetItem::DontShowIndicator);
}

void CTreeFileCtrl::ClearChildFlagWhenChildless(QTreeWidgetItem* item) {
    if (item && item->childCount() == 0) SetChildFlag(item, false);
}

QTreeWidgetItem* CTreeFileCtrl::ItemOf(const QPersistentModelIndex& index) const {
    return index.isValid() ? itemFromIndex(index) : nullptr;
}

QPersistentModelIndex CTreeFileCtrl::IndexOf(QTreeWidgetItem* item) const {
    return QPersistentModelIndex(indexFromItem(item));
}

QTreeWidgetItem* CTreeFileCtrl::RootItem() const {
    return m_bShowDesktopRoot ? ItemOf(m_rootItem) : invisibleRootItem();
}
QTreeWidgetItem* CTreeFileCtrl::DocumentsItem() const {
    return ItemOf(m_documentsItem);
}
QTreeWidgetItem* CTreeFileCtrl::ComputerItem() const {
    return ItemOf(m_computerItem);
}
QTreeWidgetItem* CTreeFileCtrl::NetworkItem() const {
    return ItemOf(m_networkItem);
}

// Paths and kinds.

QString CTreeFileCtrl::GetItemPath(QTreeWidgetItem* item) const {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    return info ? info->m_strFullPath : QString();
}

bool CTreeFileCtrl::IsFilePath(const QString& path) const {
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool CTreeFileCtrl::IsFileItem(QTreeWidgetItem* item) const {
    return IsFilePath(GetItemPath(item));
}

bool CTreeFileCtrl::IsFolderPath(const QString& path) const {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool CTreeFileCtrl::IsFolderItem(QTreeWidgetItem* item) const {
    return IsFolderPath(GetItemPath(item));
}

const VolumeInfo* CTreeFileCtrl::VolumeOfRoot(const QString& path) const {
    auto found = std::find_if(m_volumes.begin(), m_volumes.end(),
                              [&](const VolumeInfo& volume) { return volume.m_strRoot == path; });
    return found == m_volumes.end() ? nullptr : &*found;
}

bool CTreeFileCtrl::IsDriveRoot(const QString& path) const {
    return !path.isEmpty() && VolumeOfRoot(path) != nullptr;
}

bool CTreeFileCtrl::IsDriveItem(QTreeWidgetItem* item) const {
    return IsDriveRoot(GetItemPath(item));
}

std::uint32_t CTreeFileCtrl::AttributesOfPath(const QString& path) const {
    if (path.isEmpty() || IsDriveRoot(path)) return 0;
    return InodeAttributes(path);
}

bool CTreeFileCtrl::IsCompressedPath(const QString& path) const {
    return (AttributesOfPath(path) & kAttributeCompressed) != 0;
}

bool CTreeFileCtrl::IsCompressedItem(QTreeWidgetItem* item) const {
    return IsCompressedPath(GetItemPath(item));
}

bool CTreeFileCtrl::IsEncryptedPath(const QString& path) const {
    return (AttributesOfPath(path) & kAttributeEncrypted) != 0;
}

bool CTreeFileCtrl::IsEncryptedItem(QTreeWidgetItem* item) const {
    return IsEncryptedPath(GetItemPath(item));
}

bool CTreeFileCtrl::IsSharedPath(const QString& path) const {
    return m_shares->IsShared(path);
}

bool CTreeFileCtrl::IsDocumentFileName(const QString& path) {
    static const QStringList kDocumentExtensions{QStringLiteral("*.KTX"), QStringLiteral("*.KCX"),
                                                 QStringLiteral("*.TSN"), QStringLiteral("*.CQS"),
                                                 QStringLiteral("*.XML")};
    const QString extension = path.mid(path.lastIndexOf(QLatin1Char('.')) + 1);
    return kDocumentExtensions.contains((QStringLiteral("*.") + extension).toUpper());
}

bool CTreeFileCtrl::IsDocumentFile(const QString& name) const {
    return std::any_of(m_DocumentPatterns.begin(), m_DocumentPatterns.end(),
                       [&](const QString& pattern) { return MatchesPattern(name, pattern); });
}

// Filters.

bool CTreeFileCtrl::ShouldShowFolder(const FolderEntry& found) const {
    return found.m_bIsDirectory && found.m_strName != QLatin1String(".") &&
           found.m_strName != QLatin1String("..") &&
           (found.m_dwAttributes & m_dwHiddenFolderAttributes) == 0;
}

bool CTreeFileCtrl::ShouldShowFile(const FolderEntry& found) const {
    return m_bShowFiles && !found.m_bIsDirectory &&
           (found.m_dwAttributes & m_dwHiddenFileAttributes) == 0;
}

bool CTreeFileCtrl::ShouldShowNetworkResource(const CTreeFileCtrlItemInfo&) const {
    return true;
}

// Icons.

QIcon CTreeFileCtrl::NormalIconOfPath(const QString& path) const {
    if (const VolumeInfo* volume = VolumeOfRoot(path)) return m_images->DriveIcon(volume->m_kind);
    return m_images->IconOfPath(path, false);
}

QIcon CTreeFileCtrl::OpenIconOfPath(const QString& path) const {
    if (const VolumeInfo* volume = VolumeOfRoot(path)) return m_images->DriveIcon(volume->m_kind);
    return m_images->IconOfPath(path, true);
}

// Items.

QString CTreeFileCtrl::ItemText(CTreeFileCtrlItemInfo& record) const {
    // Volume display names belong to the volume items themselves, not to a mount point met
    // as a sub-folder of another volume.
    if (m_bShowDriveDisplayNames && record.m_strName == record.m_strFullPath &&
        IsDriveRoot(record.m_strFullPath))
        return GetDriveDisplayName(record.m_strFullPath);
    record.m_bTextWithoutExtension = false;
    if (!record.m_bIsFile || m_nExtensionDisplayMode == 1) return record.m_strName;
    if (m_nExtensionDisplayMode == 0) {
        const qsizetype dot = record.m_strName.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0) return record.m_strName;
        record.m_bTextWithoutExtension = true;
        return record.m_strName.left(dot);
    }
    // Following the desktop: file managers here show names whole.
    return record.m_strName;
}

std::unique_ptr<QTreeWidgetItem> CTreeFileCtrl::CreateTreeItem(CTreeFileCtrlItemInfo record,
                                                               bool shared, const QIcon& icon,
                                                               const QIcon& openIcon,
                                                               bool checkForChildren) const {
    const QString text = ItemText(record);
    // A file never holds entries, so it needs no look at the disk.
    const bool childFlag =
        !checkForChildren || (!record.m_bIsFile && FolderHasEntries(record.m_strFullPath));
    auto item = std::make_unique<CTreeFileCtrlItem>(std::move(record), shared);
    item->setText(0, text);
    item->setIcon(0, m_images->ItemIcon(icon, openIcon, shared));
    SetChildFlag(item.get(), childFlag);
    return item;
}

QTreeWidgetItem* CTreeFileCtrl::AddTreeItem(QTreeWidgetItem* parent, CTreeFileCtrlItemInfo record,
                                            bool shared, const QIcon& icon, const QIcon& openIcon,
                                            bool checkForChildren) {
    if (!parent) return nullptr;
    QTreeWidgetItem* item =
        CreateTreeItem(std::move(record), shared, icon, openIcon, checkForChildren).release();
    parent->addChild(item);
    return item;
}

QTreeWidgetItem* CTreeFileCtrl::AddSpecialItem(QTreeWidgetItem* parent,
                                               CTreeFileCtrlItemInfo record, const QIcon& icon) {
    // Special items always offer to expand; what they hold is found when they are expanded.
    return AddTreeItem(parent, std::move(record), false, icon, icon, false);
}

bool CTreeFileCtrl::FolderHasEntries(const QString& path) const {
    if (IsRemovableDrive(path)) return true;
    bool found = false;
    ForEachFolderEntry(path, [&](const FolderEntry& entry) {
        found =
            ShouldShowFolder(entry) || (ShouldShowFile(entry) && IsDocumentFile(entry.m_strName));
        return !found;
    });
    return found;
}

void CTreeFileCtrl::FillFolderItem(const QString& path, QTreeWidgetItem* parent, bool redraw) {
    if (!parent) return;
    WaitCursor wait;
    RedrawSuspended suspended(this, redraw);

    // One pass over the folder serves the folders and every document pattern.
    std::vector<CTreeFileCtrlItemInfo> records;
    ForEachFolderEntry(path, [&](const FolderEntry& entry) {
        const bool isFolder = ShouldShowFolder(entry);
        if (!isFolder && !(ShouldShowFile(entry) && IsDocumentFile(entry.m_strName))) return true;
        CTreeFileCtrlItemInfo record;
        record.m_strFullPath = entry.m_strFullPath;
        record.m_strName = entry.m_strName;
        record.m_bIsFile = !isFolder;
        records.push_back(std::move(record));
        return true;
    });
    if (records.empty()) {
        SetChildFlag(parent, false);
        return;
    }
    std::sort(records.begin(), records.end(), SortsBefore);

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(records.size()));
    for (CTreeFileCtrlItemInfo& record : records) {
        const QString fullPath = record.m_strFullPath;
        if (record.m_bIsFile) {
            // Files take their extension's icon; asking per path would look at each file.
            const QIcon icon = m_images->FileIcon(fullPath);
            items.append(CreateTreeItem(std::move(record), false, icon, icon, true).release());
            continue;
        }
        const bool shared = m_bShowSharedOverlay && IsSharedPath(fullPath);
        items.append(CreateTreeItem(std::move(record), shared, NormalIconOfPath(fullPath),
                                    OpenIconOfPath(fullPath), true)
                         .release());
    }
    const bool hadChildren = parent->childCount() > 0;
    parent->insertChildren(parent->childCount(), items);
    if (hadChildren) parent->sortChildren(0, Qt::AscendingOrder);
}

// Building.

void CTreeFileCtrl::InitialiseTree() {
    setIconSize(QSize(16, 16));
    RebuildTree();
}

void CTreeFileCtrl::RebuildTree() {
    WaitCursor wait;
    RedrawSuspended suspended(this);
    QTreeWidgetItem* caret = currentItem();
    const QString caretPath = GetItemPath(caret);
    const bool caretExpanded = caret && caret->isExpanded();

    m_shares->Refresh();
    m_volumes = ListVolumes();
    clear();
    m_rootItem = m_documentsItem = m_computerItem = m_networkItem = QPersistentModelIndex();

    if (m_bShowDesktopRoot) {
        CTreeFileCtrlItemInfo record;
        record.m_bDesktopRoot = true;
        record.m_strName = QStandardPaths::displayName(QStandardPaths::DesktopLocation);
        m_rootItem = IndexOf(
            AddSpecialItem(invisibleRootItem(), std::move(record), m_images->DesktopIcon()));
    }
    AddTopLevelItems();
    if (!caretPath.isEmpty()) SelectPath(caretPath, caretExpanded);
}

void CTreeFileCtrl::AddTopLevelItems() {
    QTreeWidgetItem* root = RootItem();
    if (!root) return;
    if (m_bShowDocuments) {
        CTreeFileCtrlItemInfo record;
        record.m_bDocumentsItem = true;
        m_strDocumentsPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        record.m_strFullPath = m_strDocumentsPath;
        record.m_strName = QStandardPaths::displayName(QStandardPaths::DocumentsLocation);
        m_documentsItem =
            IndexOf(AddSpecialItem(root, std::move(record), m_images->DocumentsIcon()));
    }
    if (m_bShowComputer) {
        CTreeFileCtrlItemInfo record;
        record.m_strName = tr("Computer");
        m_computerItem = IndexOf(AddSpecialItem(root, std::move(record), m_images->ComputerIcon()));
    } else {
        AddDriveItems(root, false);
    }
    if (m_bShowNetwork) {
        CTreeFileCtrlItemInfo record;
        record.m_bNetworkItem = true;
        record.m_strName = tr("Network");
        m_networkItem = IndexOf(AddSpecialItem(root, std::move(record), m_images->NetworkIcon()));
    }

    // The desktop's own folders and documents join the top level when it holds a document.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    bool hasDocument = false;
    ForEachFolderEntry(desktop, [&](const FolderEntry& entry) {
        hasDocument = ShouldShowFile(entry) && IsDocumentFile(entry.m_strName);
        return !hasDocument;
    });
    if (hasDocument) FillFolderItem(desktop, root, false);
}

QVariant CTreeFileCtrl::ItemTextColour(QTreeWidgetItem* item) const {
    if (!GetItemInfo(item) || IsDriveItem(item)) return {};
    if (m_bShowCompressedColour && IsCompressedItem(item)) return m_compressedColour;
    if (m_bShowEncryptedColour && IsEncryptedItem(item)) return m_encryptedColour;
    return {};
}

}  // namespace ledgra
