#pragma once
// An explorer-like tree: the desktop, the documents folder, the computer's volumes and the
// network mounts, with their folders and only the document files the viewer opens. A folder is
// read when it is first expanded and forgotten again when it is collapsed. Every item owns its
// CTreeFileCtrlItemInfo record.

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPersistentModelIndex>
#include <QString>
#include <QStringList>
#include <QTreeWidget>
#include <QVariant>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "base/QtDocumentPatterns.h"
#include "filetree/FolderEntry.h"
#include "filetree/FolderReader.h"
#include "filetree/ScopedGuards.h"
#include "filetree/TreeFileCtrlItemInfo.h"
#include "filetree/Volumes.h"

class QAction;
class QDropEvent;

namespace ledgra {

class CShareEnumerator;
class CTreeChangeWatch;
class CTreeDragDrop;
class CTreeRenameDelete;
class CSystemImageList;
class CTreeFileCtrlThreadInfo;

class CTreeFileCtrl : public QTreeWidget {
    Q_OBJECT

public:
    explicit CTreeFileCtrl(QWidget* parent = nullptr);
    ~CTreeFileCtrl() override;

    // The record of an item of this tree; null for a null or foreign item.
    static CTreeFileCtrlItemInfo* GetItemInfo(QTreeWidgetItem* item);

    // Paths and kinds. Paths are native ("/" separated).
    virtual QString GetItemPath(QTreeWidgetItem* item) const;  // empty for a null item
    virtual QTreeWidgetItem* FindItemForPath(const QString& path) const;
    virtual bool IsFilePath(const QString& path) const;  // exists and is no directory
    virtual bool IsFileItem(QTreeWidgetItem* item) const;
    virtual bool IsFolderPath(const QString& path) const;  // exists and is a directory
    virtual bool IsFolderItem(QTreeWidgetItem* item) const;
    // The root of a volume listed under Computer (volume roots stand for drive letters here).
    virtual bool IsDriveRoot(const QString& path) const;
    virtual bool IsDriveItem(QTreeWidgetItem* item) const;
    // Compressed and encrypted come from the file system's inode flags; never for volume roots.
    virtual bool IsCompressedPath(const QString& path) const;
    virtual bool IsCompressedItem(QTreeWidgetItem* item) const;
    virtual bool IsEncryptedPath(const QString& path) const;
    virtual bool IsEncryptedItem(QTreeWidgetItem* item) const;
    // Whether the folder is a Samba user share.
    virtual bool IsSharedPath(const QString& path) const;

    // Building.
    virtual void InitialiseTree();  // sets up the icons, then RebuildTree
    // Discards every item and builds the top level again, returning to the selected path.
    virtual void RebuildTree();
    virtual void AddTopLevelItems();
    // Adds the visible sub-folders and document files of the folder under parent, sorted.
    virtual void FillFolderItem(const QString& path, QTreeWidgetItem* parent, bool redraw);
    // One item per shown volume, "/" first.
    virtual void AddDriveItems(QTreeWidgetItem* parent, bool redraw);
    // Under the Network item the servers of the mounted network file systems, under a server
    // its mounted shares; true when anything was added. Browsing the network is not offered.
    virtual bool AddNetworkItems(QTreeWidgetItem* item);
    // The desktop's icon of a volume, folder or file; the open one differs for folders only.
    virtual QIcon NormalIconOfPath(const QString& path) const;
    virtual QIcon OpenIconOfPath(const QString& path) const;
    // Whether a folder shows an expand button: a visible folder or document file inside, or a
    // removable volume root (whose media is not touched). Stops at the first hit.
    virtual bool FolderHasEntries(const QString& path) const;
    // Whether a child shows exactly this text (names are case-sensitive here).
    virtual bool HasChildWithText(QTreeWidgetItem* parent, const QString& text) const;
    // Appends one item under parent (the invisible root for top level); returns it.
    virtual QTreeWidgetItem* AddTreeItem(QTreeWidgetItem* parent, CTreeFileCtrlItemInfo record,
                                         bool shared, const QIcon& icon, const QIcon& openIcon,
                                         bool checkForChildren);
    // The first child whose record name equals name: exactly, or ignoring case on a file system
    // that ignores case.
    virtual QTreeWidgetItem* FindChildByName(QTreeWidgetItem* parent, const QString& name) const;

    // Filters.
    virtual bool ShouldShowFile(const FolderEntry& found) const;
    virtual bool ShouldShowFolder(const FolderEntry& found) const;
    virtual bool ShouldShowDrive(const QString& path) const;
    virtual bool ShouldShowNetworkResource(const CTreeFileCtrlItemInfo& record) const;

    // Volumes.
    virtual bool IsRemovableDrive(const QString& path) const;  // removable or optical
    // The file system id stands in for the volume serial number; false when unreadable.
    virtual bool GetVolumeSerial(const QString& path, std::uint64_t& serial) const;
    // False for a removable or optical volume whose media cannot be read.
    virtual bool CheckMediaPresent(const QString& path) const;
    // "label (root)", or the root itself for a volume without a label.
    virtual QString GetDriveDisplayName(const QString& path) const;

    // Commands (TreeFileCommands.h). Each acts on the caret item; the actions carry the keys
    // and are what a menu shows.
    QAction* CommandAction(int id) const;
    bool IsCommandEnabled(int id) const;
    // Brings every action's enabled state up to date.
    void UpdateCommandStates();
    void OnCommand(int id);

    // Rename, delete and the desktop's open and properties for an item; false when not allowed
    // or when the operation failed.
    virtual bool BeginRename(QTreeWidgetItem* item);
    virtual bool OpenPropertiesSheet(QTreeWidgetItem* item);
    virtual bool DeleteItemFile(QTreeWidgetItem* item);
    virtual bool OpenWithShell(QTreeWidgetItem* item);
    // Renames the item's file or folder to the typed text; the end of a label edit.
    bool EndRename(QTreeWidgetItem* item, const QString& text);
    // Gives a folder item the icons of its path again.
    void UpdateFolderIcon(QTreeWidgetItem* item);

    // History and the parent.
    virtual void SelectParentItem();
    virtual bool GoBack();
    virtual bool HasBackEntries() const;
    virtual bool GoForward();
    virtual bool HasForwardEntries() const;
    virtual int GetHistoryLimit() const;
    virtual void SetHistoryLimit(int limit);
    // The items Forward would return to, oldest first (null for an item deleted since).
    QList<QTreeWidgetItem*> ForwardItems() const;

    // Drag and drop of files onto folders, only with its switch on (CTreeDragDrop).
    virtual bool CanDragItem(QTreeWidgetItem* item) const;
    virtual bool ValidDropTarget(QTreeWidgetItem* item) const;
    // Moves (or copies) the dragged file onto a folder item; true on success.
    bool DropOnItem(QTreeWidgetItem* source, QTreeWidgetItem* target, bool copy);
    // The item a drag started on (null outside a drag).
    QTreeWidgetItem* DragSourceItem() const;

    // Change watching, only with automatic refresh on (CTreeChangeWatch): one worker per
    // expanded root (a volume root or the documents folder) that is neither removable nor
    // optical nor a mount that may not answer.
    virtual bool CanWatchPath(const QString& path) const;
    virtual void StartDriveWatch(const QString& path);
    virtual void StopAllDriveWatches();
    virtual void StopDriveWatch(const QString& path);
    // The watches running, oldest first.
    std::vector<const CTreeFileCtrlThreadInfo*> DriveWatches() const;
    // The roots besides volume roots that are watched: the documents folder.
    bool IsWatchedRoot(const QString& path) const;
    // Whether the tree refreshes by itself now (on, and not suspended).
    bool RefreshesAutomatically() const { return m_bAutomaticRefresh; }
    // Automatic refresh is off until the returned guard ends: for the tree's own file changes.
    [[nodiscard]] RefreshSuspended SuspendRefresh() {
        return RefreshSuspended(m_bAutomaticRefresh);
    }
    // Replaces the children of an open folder item by what the folder holds now, keeping the
    // caret where it was.
    void ReloadFolderItem(QTreeWidgetItem* item, const QString& folder);

    // Called after every accepted selection change with the new item's path.
    virtual void OnPathSelected(const QString& path);
    // What a double click or Enter on the item does: a document leaf is activated, a document
    // whose link leads nowhere is refused with the reason. False for any other item.
    bool ActivateDocumentItem(QTreeWidgetItem* item);

    // Navigates to the item of a full path, filling folders on the way, selects it and, with
    // expand, expands it. Null when a component is not found; what was expanded or selected on
    // the way stays so.
    QTreeWidgetItem* SelectPath(const QString& path, bool expand);
    // The item below which servers are listed: item itself when a direct child is a server,
    // else the first such item depth-first; null when there is none or the network is hidden.
    QTreeWidgetItem* FindServerParent(QTreeWidgetItem* item) const;
    // Fills an item that is about to show its children. False when the item turned out to be
    // gone from disk (it is then removed on the next turn of the event loop).
    bool ExpandItemContents(QTreeWidgetItem* item);
    // The child shown while a folder's listing has not answered, and its text.
    static constexpr int kPendingItemType = QTreeWidgetItem::UserType + 2;
    static bool IsPendingItem(const QTreeWidgetItem* item);
    static QString PendingText();
    // Whether the path ends in one of the five document extensions, in any case.
    static bool IsDocumentFileName(const QString& path);

    // The child flag decides the expand button of an item that has not been filled yet.
    static bool HasChildFlag(const QTreeWidgetItem* item);
    static void SetChildFlag(QTreeWidgetItem* item, bool flag);
    // Clears the child flag of an item that has no child left.
    static void ClearChildFlagWhenChildless(QTreeWidgetItem* item);

    // The special items (null when not shown or not built). The root item is the desktop root
    // or, without one, the invisible root.
    QTreeWidgetItem* RootItem() const;
    QTreeWidgetItem* DocumentsItem() const;
    QTreeWidgetItem* ComputerItem() const;
    QTreeWidgetItem* NetworkItem() const;
    const QString& DocumentsPath() const { return m_strDocumentsPath; }

    // The shared folders, read in the background at every rebuild.
    CShareEnumerator& ShareList() const { return *m_shares; }

    // The items selected before, oldest first (null for an item deleted since).
    QList<QTreeWidgetItem*> BackItems() const;

    // An item as an index that follows it while the items change, and back (null for an item
    // deleted since).
    QPersistentModelIndex IndexOf(QTreeWidgetItem* item) const;
    QTreeWidgetItem* ItemOf(const QPersistentModelIndex& index) const;

    // The text colour of an item, or an invalid variant for the default.
    QVariant ItemTextColour(QTreeWidgetItem* item) const;

signals:
    // A document item was double-clicked or had Enter pressed on it (a path of the tree's form).
    void DocumentActivated(const QString& path);
    // An item could not be opened; the message tells the user why.
    void OpenRefused(const QString& message);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // Asked before a delete: permanent when Shift was held. Asks the user.
    virtual bool ConfirmDelete(const QString& path, bool permanent);

    // The filters as a listing on another thread applies them.
    ListingRules CurrentListingRules() const;

    // Configuration: set here and by derived constructors, not changed afterwards.
    bool m_bShowFiles = true;
    bool m_bShowDesktopRoot = true;
    bool m_bShowDocuments = true;
    bool m_bShowComputer = true;
    bool m_bShowNetwork = true;
    QStringList m_DocumentPatterns = DocumentPatternList();
    std::uint32_t m_dwHiddenFileAttributes = 0x1106;
    std::uint32_t m_dwHiddenFolderAttributes = 0x1106;
    std::uint32_t m_dwHiddenDriveKinds = 0;  // DriveKindBit mask
    bool m_bShowSharedOverlay = true;
    bool m_bShowDriveDisplayNames = true;
    // 0: names without extension, 1: with, 2: as the desktop shows them (the full name here).
    int m_nExtensionDisplayMode = 2;
    bool m_bShowCompressedColour = true;
    QColor m_compressedColour{0, 0, 255};
    bool m_bShowEncryptedColour = true;
    QColor m_encryptedColour{255, 0, 0};
    // The switches of the tree's own commands (open, properties, rename, delete), of drag and
    // drop and of automatic refresh, for when those are offered; none is offered yet.
    bool m_bAllowDragDrop = false;
    bool m_bAllowRename = false;
    bool m_bAllowOpen = true;
    bool m_bAllowProperties = true;
    bool m_bAllowDelete = false;
    bool m_bAutomaticRefresh = false;
    int m_nHistoryLimit = 20;
    std::uint32_t m_dwNetworkResourceType = 0;
    // How a folder is read (on a thread of its own), and how long filling waits for it before
    // the folder shows PendingText() instead.
    FolderLister m_folderLister = ReadFolderContents;
    int m_nListingTimeoutMs = 2000;

private:
    // Adds a folder just filled to the watch of its root.
    void WatchFilledFolder(const QString& path);
    // Makes the collaborators of the switches that are on.
    void ApplySwitches();

    enum class FillOutcome { Filled, Pending, NotAFolder };
    // A listing that has not answered in time and the items waiting for it.
    struct WaitingListing {
        std::shared_ptr<PendingListing> m_listing;
        QList<QPersistentModelIndex> m_parents;
    };

    FillOutcome FillFolder(const QString& path, QTreeWidgetItem* parent, bool redraw);
    // Adds the shown entries of a folder's listing under parent, sorted.
    void AddListedEntries(const FolderContents& contents, QTreeWidgetItem* parent, bool redraw);
    void ShowPending(const QString& path, QTreeWidgetItem* parent,
                     const std::shared_ptr<PendingListing>& listing);
    void OnLateListing(const QString& path);
    // Cancels the listing a collapsed item was waiting for.
    void CancelPendingChildren(QTreeWidgetItem* item);
    // Whether a path may lie on a mount that does not answer, so that it must not be asked.
    bool IsSlowPath(const QString& path) const;
    // Reads the mount table again: the volumes and the mounts that may not answer.
    void RereadVolumes();
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    bool IsValidSelection(QTreeWidgetItem* item) const;
    void RecordHistory(QTreeWidgetItem* previous);
    void CreateCommandActions();
    // Back and Forward: from one list to the caret, the caret onto the other list.
    bool StepHistory(QList<QPersistentModelIndex>& from, QList<QPersistentModelIndex>& to);
    // The selection shows whether the tree has the focus.
    void ShowFocusInSelection(bool focused);
    // Whether a drag comes from this tree's own items.
    bool IsOwnDrag(const QDropEvent& event) const;
    // Applies the drag and drop switch.
    void ApplyDragSwitch();
    // Ensures the item shows its children: fills it when needed, then expands it. False when
    // the item turned out to be gone.
    bool MakeSureExpanded(QTreeWidgetItem* item);
    // Removes an item whose file or folder has vanished, on the next turn of the event loop.
    void RemoveVanishedItem(QTreeWidgetItem* item);
    // childFlag: the expand button when known; otherwise asked with FolderHasEntries where
    // checkForChildren says so.
    std::unique_ptr<QTreeWidgetItem> CreateTreeItem(CTreeFileCtrlItemInfo record, bool shared,
                                                    const QIcon& icon, const QIcon& openIcon,
                                                    bool checkForChildren,
                                                    std::optional<bool> childFlag = {}) const;
    QString ItemText(CTreeFileCtrlItemInfo& record) const;
    QTreeWidgetItem* AddSpecialItem(QTreeWidgetItem* parent, CTreeFileCtrlItemInfo record,
                                    const QIcon& icon);
    bool IsDocumentFile(const QString& name) const;  // matches a configured pattern
    std::uint32_t AttributesOfPath(const QString& path) const;
    const VolumeInfo* VolumeOfRoot(const QString& path) const;
    // Selects the item as the caret, opening its ancestors.
    void SelectAsCaret(QTreeWidgetItem* item);
    // Walks down from current through the components: each is selected and expanded, the last
    // one expanded only with expand. Without components, current itself is the target.
    QTreeWidgetItem* WalkComponents(QTreeWidgetItem* current, const QStringList& components,
                                    bool expand);

    QPersistentModelIndex m_rootItem;
    QPersistentModelIndex m_documentsItem;
    QPersistentModelIndex m_computerItem;
    QPersistentModelIndex m_networkItem;
    QString m_strDocumentsPath;
    // Previously selected items, oldest first; entries go empty when their item is deleted
    // (a rebuild deletes them all) and Back and Forward skip such entries.
    QList<QPersistentModelIndex> m_backList;
    QList<QPersistentModelIndex> m_forwardList;
    std::map<int, QAction*> m_actions;
    // Only while drag and drop is on.
    std::unique_ptr<CTreeDragDrop> m_drag;
    // Only while rename or delete is on.
    std::unique_ptr<CTreeRenameDelete> m_renameDelete;
    // Set while stepping through the history, which must not record itself.
    bool m_bNavigating = false;
    std::vector<VolumeInfo> m_volumes;
    QStringList m_slowMountRoots;  // read with m_volumes
    std::map<QString, WaitingListing> m_waitingListings;
    // Only while automatic refresh is on.
    std::unique_ptr<CTreeChangeWatch> m_watch;
    // The last attributes read, so that the colour asks the file system once per item.
    mutable QString m_strAttributesPath;
    mutable std::uint32_t m_dwAttributes = 0;
    std::unique_ptr<CShareEnumerator> m_shares;
    std::unique_ptr<CSystemImageList> m_images;
};

}  // namespace ledgra
