// The file tree's volumes and network: the items under Computer and Network and what the tree
// asks about a volume.

#include <sys/statvfs.h>

#include "filetree/NativeNames.h"
#include "filetree/NetworkShares.h"
#include "filetree/ScopedGuards.h"
#include "filetree/SystemImageList.h"
#include "filetree/TreeFileCtrl.h"

namespace ledgra {

void CTreeFileCtrl::AddDriveItems(QTreeWidgetItem* parent, bool redraw) {
    if (!parent) return;
    WaitCursor wait;
    RedrawSuspended suspended(this, redraw);
    RereadVolumes();
    for (const VolumeInfo& volume : m_volumes) {
        if (!ShouldShowDrive(volume.m_strRoot)) continue;
        CTreeFileCtrlItemInfo record;
        record.m_strFullPath = volume.m_strRoot;
        record.m_strName = volume.m_strRoot;
        const bool shared = m_bShowSharedOverlay && IsSharedPath(volume.m_strRoot);
        AddTreeItem(parent, std::move(record), shared, NormalIconOfPath(volume.m_strRoot),
                    OpenIconOfPath(volume.m_strRoot), true);
    }
}

QString CTreeFileCtrl::GetDriveDisplayName(const QString& path) const {
    const VolumeInfo* volume = VolumeOfRoot(path);
    if (!volume || volume->m_strLabel.isEmpty()) return path;
    return QStringLiteral("%1 (%2)").arg(volume->m_strLabel, path);
}

bool CTreeFileCtrl::ShouldShowDrive(const QString& path) const {
    const VolumeInfo* volume = VolumeOfRoot(path);
    // A mount that may not answer is not asked whether its root is there.
    if (!volume || (!IsSlowPath(path) && !IsFolderPath(path))) return true;
    return (DriveKindBitOf(volume->m_kind) & m_dwHiddenDriveKinds) == 0;
}

bool CTreeFileCtrl::IsRemovableDrive(const QString& path) const {
    const VolumeInfo* volume = VolumeOfRoot(path);
    return volume && (volume->m_kind == DriveKind::Removable || volume->m_kind == DriveKind::CdRom);
}

bool CTreeFileCtrl::GetVolumeSerial(const QString& path, std::uint64_t& serial) const {
    struct statvfs status {};
    if (statvfs(NativeFromPath(path).constData(), &status) != 0) return false;
    serial = status.f_fsid;
    return true;
}

bool CTreeFileCtrl::CheckMediaPresent(const QString& path) const {
    if (!IsRemovableDrive(path)) return true;
    std::uint64_t serial = 0;
    return GetVolumeSerial(path, serial);
}

bool CTreeFileCtrl::AddNetworkItems(QTreeWidgetItem* item) {
    const CTreeFileCtrlItemInfo* info = GetItemInfo(item);
    if (!info) return false;
    const NetworkResourceInfo* parentNet = info->m_pNetInfo.get();
    if (!parentNet) RereadVolumes();  // mounts come and go
    const std::vector<NetworkShare> shares = MountedNetworkShares(m_volumes);
    QStringList servers;
    bool added = false;
    for (const NetworkShare& share : shares) {
        CTreeFileCtrlItemInfo record;
        record.m_bNetworkItem = true;
        auto net = std::make_unique<NetworkResourceInfo>();
        net->m_strProvider = share.m_strFileSystem;
        if (!parentNet) {
            // The Network item lists each server once.
            if (servers.contains(share.m_strServer)) continue;
            servers.append(share.m_strServer);
            net->m_dwDisplayType = NetworkResourceInfo::kDisplayTypeServer;
            net->m_strRemoteName = QStringLiteral("//") + share.m_strServer;
            record.m_strFullPath = net->m_strRemoteName;
            record.m_strName = share.m_strServer;
            record.m_pNetInfo = std::move(net);
            if (!ShouldShowNetworkResource(record)) continue;
            AddTreeItem(item, std::move(record), false, m_images->ServerIcon(),
                        m_images->ServerIcon(), false);
        } else {
            if (parentNet->m_dwDisplayType != NetworkResourceInfo::kDisplayTypeServer ||
                share.m_strServer != info->m_strName)
                continue;
            net->m_dwDisplayType = NetworkResourceInfo::kDisplayTypeShare;
            net->m_strRemoteName = share.m_strRemoteName;
            net->m_strLocalName = share.m_strMountPoint;
            record.m_strFullPath = share.m_strMountPoint;
            record.m_strName = share.m_strShare;
            record.m_pNetInfo = std::move(net);
            if (!ShouldShowNetworkResource(record)) continue;
            const QString path = record.m_strFullPath;
            AddTreeItem(item, std::move(record), m_bShowSharedOverlay, NormalIconOfPath(path),
                        OpenIconOfPath(path), true);
        }
        added = true;
    }
    return added;
}

QTreeWidgetItem* CTreeFileCtrl::FindServerParent(QTreeWidgetItem* item) const {
    if (!m_bShowNetwork || !item) return nullptr;
    for (int i = 0; i < item->childCount(); ++i) {
        const CTreeFileCtrlItemInfo* info = GetItemInfo(item->child(i));
        if (info && info->m_pNetInfo &&
            info->m_pNetInfo->m_dwDisplayType == NetworkResourceInfo::kDisplayTypeServer)
            return item;
    }
    for (int i = 0; i < item->childCount(); ++i)
        if (QTreeWidgetItem* found = FindServerParent(item->child(i))) return found;
    return nullptr;
}

}  // namespace ledgra
