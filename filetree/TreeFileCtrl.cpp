#include "filetree/TreeFileCtrl.h"

#include <QHeaderView>
#include <QStandardPaths>

#include <algorithm>

#include "base/QtDocumentPatterns.h"
#include "base/UserFolders.h"
#include "filetree/FolderListing.h"
#include "filetree/MountTable.h"
#include "filetree/NativeNames.h"
#include "filetree/ScopedGuards.h"
#include "filetree/ShareEnumerator.h"
#include "filetree/SystemImageList.h"
#include "filetree/TreeChangeWatch.h"
#include "filetree/TreeDragDrop.h"
#include "filetree/TreeFileCtrlItem.h"
#include "filetree/TreeRenameDelete.h"

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
    // Long names scroll sideways instead of being cut at the pane's edge.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    RereadVolumes();
    CreateCommandActions();
    connect(this, &QTreeWidget::itemExpanded, this, &CTreeFileCtrl::OnItemExpanded);
    connect(this, &QTreeWidget::itemCollapsed, this, &CTreeFileCtrl::OnItemCollapsed);
    connect(this, &QTreeWidget::currentItemChanged, this, &CTreeFileCtrl::OnCurrentItemChanged);
}

CTreeFileCtrl::~CTreeFileCtrl() {
    m_watch.reset();
    for (auto& [path, waiting] : m_waitingListings) {
        waiting.m_listing->Forget();
        waiting.m_listing->Cancel();
    }
}

void CTreeFileCtrl::RereadVolumes() {
    const std::vector<MountEntry> mounts = ReadMountTable();
    m_volumes = VolumesFromMounts(mounts, RootFileSystemType());
    m_slowMountRoots = SlowMountRoots(mounts);
}

bool CTreeFileCtrl::IsSlowPath(const QString& path) const {
    return IsOnSlowMount(path, m_slowMountRoots);
}

bool CTreeFileCtrl::IsPendingItem(const QTreeWidgetItem* item) {
    return item && item->type() == kPendingItemType;
}

QString CTreeFileCtrl::PendingText() {
    return QStringLiteral("응답 없음");
}

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
    return KindOfPath(path) == PathKind::File;
}

bool CTreeFileCtrl::IsFileItem(QTreeWidgetItem* item) const {
    return IsFilePath(GetItemPath(item));
}

bool CTreeFileCtrl::IsFolderPath(const QString& path) const {
    return KindOfPath(path) == PathKind::Folder;
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
    // Network and FUSE file systems keep no such flags, and might not answer.
    if (path.isEmpty() || IsDriveRoot(path) || IsSlowPath(path)) return 0;
    if (path != m_strAttributesPath) {
        m_dwAttributes = InodeAttributes(path);
        m_strAttributesPath = path;
    }
    return m_dwAttributes;
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
    // The fixed list, whatever the configurable m_DocumentPatterns holds.
    const QString extension = path.mid(path.lastIndexOf(QLatin1Char('.')) + 1);
    return DocumentPatternList().contains((QStringLiteral("*.") + extension).toUpper());
}

bool CTreeFileCtrl::IsDocumentFile(const QString& name) const {
    return std::any_of(m_DocumentPatterns.begin(), m_DocumentPatterns.end(),
                       [&](const QString& pattern) { return MatchesPattern(name, pattern); });
}

// Filters.

ListingRules CTreeFileCtrl::CurrentListingRules() const {
    ListingRules rules;
    rules.m_bShowFiles = m_bShowFiles;
    rules.m_dwHiddenFileAttributes = m_dwHiddenFileAttributes;
    rules.m_dwHiddenFolderAttributes = m_dwHiddenFolderAttributes;
    rules.m_DocumentPatterns = m_DocumentPatterns;
    for (const VolumeInfo& volume : m_volumes)
        if (IsRemovableDrive(volume.m_strRoot)) rules.m_unreadRoots.append(volume.m_strRoot);
    return rules;
}

bool CTreeFileCtrl::ShouldShowFolder(const FolderEntry& found) const {
    ListingRules rules;
    rules.m_dwHiddenFolderAttributes = m_dwHiddenFolderAttributes;
    return rules.ShowsFolder(found);
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

void CTreeFileCtrl::UpdateFolderIcon(QTreeWidgetItem* item) {
    const QString path = GetItemPath(item);
    item->setIcon(
        0, m_images->ItemIcon(NormalIconOfPath(path), OpenIconOfPath(path), IsSharedPath(path)));
}

QString CTreeFileCtrl::ItemText(CTreeFileCtrlItemInfo& record) const {
    // Volume display names belong to the volume items themselves, not to a mount point met
    // as a sub-folder of another volume.
    if (m_bShowDriveDisplayNames && record.m_strName == record.m_strFullPath &&
        IsDriveRoot(record.m_strFullPath))
        return GetDriveDisplayName(record.m_strFullPath);
    record.m_bTextWithoutExtension = false;
    const QString name = DisplayName(record.m_strName);
    if (!record.m_bIsFile || m_nExtensionDisplayMode == 1) return name;
    if (m_nExtensionDisplayMode == 0) {
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0) return name;
        record.m_bTextWithoutExtension = true;
        return name.left(dot);
    }
    // Following the desktop: file managers here show names whole.
    return name;
}

std::unique_ptr<QTreeWidgetItem> CTreeFileCtrl::CreateTreeItem(
    CTreeFileCtrlItemInfo record, bool shared, const QIcon& icon, const QIcon& openIcon,
    bool checkForChildren, std::optional<bool> knownFlag) const {
    const QString text = ItemText(record);
    // A file never holds entries, so it needs no look at the disk.
    const bool childFlag =
        knownFlag
            ? *knownFlag
            : !checkForChildren || (!record.m_bIsFile && FolderHasEntries(record.m_strFullPath));
    // Long names are cut by the pane's width: the tip shows the whole name.
    const QString tip = record.m_strName.isEmpty() ? text : DisplayName(record.m_strName);
    auto item = std::make_unique<CTreeFileCtrlItem>(std::move(record), shared);
    item->setText(0, text);
    item->setToolTip(0, tip == text || !item->Info().m_bIsFile ? text : tip);
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
    return FolderHoldsShownEntry(path, CurrentListingRules(), m_slowMountRoots);
}

void CTreeFileCtrl::FillFolderItem(const QString& path, QTreeWidgetItem* parent, bool redraw) {
    FillFolder(path, parent, redraw);
}

CTreeFileCtrl::FillOutcome CTreeFileCtrl::FillFolder(const QString& path, QTreeWidgetItem* parent,
                                                     bool redraw) {
    if (!parent) return FillOutcome::Filled;
    WaitCursor wait;
    // A folder still being read from an earlier try is not read a second time: its mount may
    // be the one that does not answer.
    std::shared_ptr<PendingListing> listing;
    auto waiting = m_waitingListings.find(path);
    if (waiting != m_waitingListings.end() && waiting->second.m_listing->IsDone() &&
        waiting->second.m_listing->IsCancelled())
        m_waitingListings.erase(waiting);  // ended early: its entries are incomplete
    else if (waiting != m_waitingListings.end())
        listing = waiting->second.m_listing;
    if (listing) {
        listing->Resume();
    } else {
        listing = PendingListing::Start(path, CurrentListingRules(), m_folderLister);
    }
    if (!listing->WaitFor(m_nListingTimeoutMs)) {
        ShowPending(path, parent, listing);
        return FillOutcome::Pending;
    }
    if (!listing->Result().m_bIsFolder) return FillOutcome::NotAFolder;
    AddListedEntries(listing->Result(), parent, redraw);
    WatchFilledFolder(path);
    return FillOutcome::Filled;
}

void CTreeFileCtrl::AddListedEntries(const FolderContents& contents, QTreeWidgetItem* parent,
                                     bool redraw) {
    RedrawSuspended suspended(this, redraw);
    struct Listed {
        CTreeFileCtrlItemInfo m_record;
        bool m_bHasEntries;
    };
    std::vector<Listed> listed;
    listed.reserve(contents.m_entries.size());
    for (const ListedEntry& found : contents.m_entries) {
        const FolderEntry& entry = found.m_entry;
        const bool isFolder = ShouldShowFolder(entry);
        if (!isFolder && !(ShouldShowFile(entry) && IsDocumentFile(entry.m_strName))) continue;
        CTreeFileCtrlItemInfo record;
        record.m_strFullPath = entry.m_strFullPath;
        record.m_strName = entry.m_strName;
        record.m_bIsFile = !isFolder;
        listed.push_back({std::move(record), found.m_bHasEntries});
    }
    if (listed.empty()) {
        SetChildFlag(parent, false);
        return;
    }
    std::sort(listed.begin(), listed.end(), [](const Listed& left, const Listed& right) {
        return SortsBefore(left.m_record, right.m_record);
    });

    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(listed.size()));
    for (Listed& entry : listed) {
        CTreeFileCtrlItemInfo& record = entry.m_record;
        if (record.m_bIsFile) {
            // Files take their extension's icon; asking per path would look at each file.
            const QIcon icon = m_images->FileIcon(record.m_strFullPath);
            items.append(
                CreateTreeItem(std::move(record), false, icon, icon, true, false).release());
            continue;
        }
        // The listing knows it is a folder: no second look at it for its icon.
        const bool shared = m_bShowSharedOverlay && IsSharedPath(record.m_strFullPath);
        items.append(CreateTreeItem(std::move(record), shared, m_images->FolderIcon(false),
                                    m_images->FolderIcon(true), true, entry.m_bHasEntries)
                         .release());
    }
    const bool hadChildren = parent->childCount() > 0;
    parent->insertChildren(parent->childCount(), items);
    if (hadChildren) parent->sortChildren(0, Qt::AscendingOrder);
}

void CTreeFileCtrl::ShowPending(const QString& path, QTreeWidgetItem* parent,
                                const std::shared_ptr<PendingListing>& listing) {
    auto* placeholder = new QTreeWidgetItem(kPendingItemType);
    placeholder->setText(0, PendingText());
    placeholder->setToolTip(0, DisplayName(path));
    placeholder->setFlags(Qt::NoItemFlags);
    parent->addChild(placeholder);
    SetChildFlag(parent, true);

    WaitingListing& waiting = m_waitingListings[path];
    const bool first = !waiting.m_listing;
    waiting.m_listing = listing;
    waiting.m_parents.append(IndexOf(parent));
    if (first) listing->NotifyWhenDone(this, [this, path] { OnLateListing(path); });
}

void CTreeFileCtrl::OnLateListing(const QString& path) {
    auto found = m_waitingListings.find(path);
    if (found == m_waitingListings.end()) return;
    const WaitingListing waiting = std::move(found->second);
    m_waitingListings.erase(found);
    if (waiting.m_listing->IsCancelled()) return;
    const FolderContents& contents = waiting.m_listing->Result();
    for (const QPersistentModelIndex& index : waiting.m_parents) {
        QTreeWidgetItem* parent = ItemOf(index);
        // Only an item still showing the placeholder takes the late entries.
        if (!parent || parent->childCount() == 0 || !IsPendingItem(parent->child(0))) continue;
        delete parent->child(0);
        if (contents.m_bIsFolder) {
            AddListedEntries(contents, parent, true);
            WatchFilledFolder(path);
        } else
            RemoveVanishedItem(parent);
    }
}

void CTreeFileCtrl::ReloadFolderItem(QTreeWidgetItem* item, const QString& folder) {
    RedrawSuspended suspended(this);
    QTreeWidgetItem* caret = currentItem();
    const QString caretPath = GetItemPath(caret);
    const bool caretExpanded = caret && caret->isExpanded();
    // The folder's children are replaced by what it holds now.
    if (caret && caret != item) {
        for (QTreeWidgetItem* parent = caret->parent(); parent; parent = parent->parent())
            if (parent == item) setCurrentItem(item);
    }
    CancelPendingChildren(item);
    qDeleteAll(item->takeChildren());
    SetChildFlag(item, true);
    FillFolderItem(folder, item, false);
    if (item->childCount() > 0 && !item->isExpanded()) item->setExpanded(true);
    if (!caretPath.isEmpty() && GetItemPath(currentItem()) != caretPath)
        SelectPath(caretPath, caretExpanded);
}

void CTreeFileCtrl::CancelPendingChildren(QTreeWidgetItem* item) {
    if (item->childCount() == 0 || !IsPendingItem(item->child(0))) return;
    auto found = m_waitingListings.find(GetItemPath(item));
    if (found == m_waitingListings.end()) return;
    found->second.m_parents.removeAll(IndexOf(item));
    if (found->second.m_parents.isEmpty()) found->second.m_listing->Cancel();
}

// Building.

void CTreeFileCtrl::InitialiseTree() {
    setIconSize(QSize(16, 16));
    ApplySwitches();
    RebuildTree();
}

void CTreeFileCtrl::ApplySwitches() {
    // The switches are set by the constructors, this class's and derived ones.
    ApplyDragSwitch();
    if (m_bAutomaticRefresh && !m_watch) m_watch = std::make_unique<CTreeChangeWatch>(*this);
    if ((m_bAllowRename || m_bAllowDelete) && !m_renameDelete)
        m_renameDelete = std::make_unique<CTreeRenameDelete>(
            *this,
            [this](const QString& path, bool permanent) { return ConfirmDelete(path, permanent); });
}

// Change watching.

bool CTreeFileCtrl::IsWatchedRoot(const QString& path) const {
    return !path.isEmpty() && path == m_strDocumentsPath && DocumentsItem();
}

bool CTreeFileCtrl::CanWatchPath(const QString& path) const {
    const VolumeInfo* volume = VolumeContaining(path, m_volumes);
    if (!volume || IsSlowPath(path)) return false;
    return !IsRemovableDrive(volume->m_strRoot);
}

void CTreeFileCtrl::StartDriveWatch(const QString& path) {
    if (m_watch) m_watch->Start(path, m_bShowFiles);
}

void CTreeFileCtrl::StopDriveWatch(const QString& path) {
    if (m_watch) m_watch->Stop(path);
}

void CTreeFileCtrl::StopAllDriveWatches() {
    if (m_watch) m_watch->StopAll();
}

std::vector<const CTreeFileCtrlThreadInfo*> CTreeFileCtrl::DriveWatches() const {
    return m_watch ? m_watch->Watches() : std::vector<const CTreeFileCtrlThreadInfo*>();
}

void CTreeFileCtrl::WatchFilledFolder(const QString& path) {
    if (m_watch && !IsSlowPath(path)) m_watch->WatchFilledFolder(path);
}

void CTreeFileCtrl::RebuildTree() {
    WaitCursor wait;
    RedrawSuspended suspended(this);
    QTreeWidgetItem* caret = currentItem();
    const QString caretPath = GetItemPath(caret);
    const bool caretExpanded = caret && caret->isExpanded();

    m_shares->Refresh();
    StopAllDriveWatches();
    RereadVolumes();
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
        m_strDocumentsPath = PathFromNative(QByteArray::fromStdString(DocumentsLocation().native()));
        record.m_strFullPath = m_strDocumentsPath;
        record.m_strName = QStandardPaths::displayName(QStandardPaths::DocumentsLocation);
        m_documentsItem =
            IndexOf(AddSpecialItem(root, std::move(record), m_images->DocumentsIcon()));
    }
    if (m_bShowComputer) {
        CTreeFileCtrlItemInfo record;
        record.m_strName = QStringLiteral("컴퓨터");
        m_computerItem = IndexOf(AddSpecialItem(root, std::move(record), m_images->ComputerIcon()));
    } else {
        AddDriveItems(root, false);
    }
    if (m_bShowNetwork) {
        CTreeFileCtrlItemInfo record;
        record.m_bNetworkItem = true;
        record.m_strName = QStringLiteral("네트워크");
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
