#include "filetree/Volumes.h"

#include "filetree/FolderListing.h"
#include "filetree/MountTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ledgra {

namespace {

bool IsOneOf(const QString& value, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* name) { return value == QLatin1String(name); });
}

// Image file systems mounted from loop devices for packaged software, not user volumes.
bool IsPackageImageFileSystem(const QString& fileSystem) {
    return IsOneOf(fileSystem, {"squashfs", "erofs"});
}

// The first characters of a sysfs attribute file ("" when there is none).
QByteArray ReadSysAttribute(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.read(16).trimmed();
}

// The label udev names the device by in /dev/disk/by-label ("" without one). Labels there
// escape unsafe characters as "\\xHH".
QString VolumeLabel(const QString& device) {
    if (!device.startsWith(QLatin1String("/dev/"))) return {};
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (canonical.isEmpty()) return {};
    const QDir labels(QStringLiteral("/dev/disk/by-label"));
    for (const QString& name :
         labels.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (QFileInfo(labels.filePath(name)).canonicalFilePath() != canonical) continue;
        QByteArray label = name.toUtf8();
        for (qsizetype at = label.indexOf("\\x"); at >= 0 && at + 3 < label.size();
             at = label.indexOf("\\x", at + 1))
            label.replace(at, 4, QByteArray::fromHex(label.mid(at + 2, 2)));
        return QString::fromUtf8(label);
    }
    return {};
}

}  // namespace

std::uint32_t DriveKindBitOf(DriveKind kind) {
    switch (kind) {
        case DriveKind::Removable:
            return kDriveBitRemovable;
        case DriveKind::Fixed:
            return kDriveBitFixed;
        case DriveKind::Remote:
            return kDriveBitRemote;
        case DriveKind::CdRom:
            return kDriveBitCdRom;
        case DriveKind::RamDisk:
            return kDriveBitRamDisk;
        case DriveKind::Unknown:
            return 0;
    }
    return 0;
}

bool IsNetworkFileSystem(const QString& fileSystem) {
    return IsOneOf(fileSystem, {"cifs", "smb3", "smbfs", "nfs", "nfs4", "fuse.sshfs", "sshfs",
                                "fuse.gvfsd-fuse", "davfs", "fuse.davfs2", "ceph", "afs"});
}

bool IsCaseInsensitiveFileSystem(const QString& fileSystem) {
    return IsOneOf(fileSystem,
                   {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk", "cifs", "smb3", "smbfs"});
}

DriveKind ClassifyVolume(const QString& device, const QString& fileSystem,
                         const QString& sysBlockFolder) {
    if (IsNetworkFileSystem(fileSystem)) return DriveKind::Remote;
    if (IsOneOf(fileSystem, {"iso9660", "udf"})) return DriveKind::CdRom;
    if (!device.startsWith(QLatin1String("/dev/"))) return DriveKind::Unknown;

    // /dev/disk/by-label/... and friends are links to the kernel's name.
    const QString canonical = QFileInfo(device).canonicalFilePath();
    const QString name = QFileInfo(canonical.isEmpty() ? device : canonical).fileName();
    if (name.startsWith(QLatin1String("sr"))) return DriveKind::CdRom;
    if (name.startsWith(QLatin1String("ram")) || name.startsWith(QLatin1String("zram")))
        return DriveKind::RamDisk;

    // A partition's entry lies in its disk's folder, which says whether the disk is removable.
    QString entry = sysBlockFolder + QLatin1Char('/') + name;
    if (QFileInfo::exists(entry + QLatin1String("/partition"))) {
        const QString resolved = QFileInfo(entry).canonicalFilePath();
        if (!resolved.isEmpty()) entry = QFileInfo(resolved).path();
    }
    return ReadSysAttribute(entry + QLatin1String("/removable")) == "1" ? DriveKind::Removable
                                                                        : DriveKind::Fixed;
}

std::vector<VolumeInfo> VolumesFromMounts(const std::vector<MountEntry>& mounts,
                                          const QString& rootFileSystemType) {
    std::vector<VolumeInfo> volumes;
    for (const MountEntry& mount : mounts) {
        VolumeInfo volume;
        volume.m_strRoot = mount.m_strRoot;
        volume.m_strDevice = mount.m_strDevice;
        volume.m_strFileSystem = mount.m_strFileSystem;
        const bool isRoot = volume.m_strRoot == QLatin1String("/");
        const bool isDevice = volume.m_strDevice.startsWith(QLatin1String("/dev/")) &&
                              !IsPackageImageFileSystem(volume.m_strFileSystem);
        if (!isRoot && !isDevice && !IsNetworkFileSystem(volume.m_strFileSystem)) continue;
        // Single files bound into place (containers do this) are no volumes. A mount that may
        // not answer is not asked.
        if (!MayNotAnswer(volume.m_strFileSystem) &&
            KindOfPath(volume.m_strRoot) != PathKind::Folder)
            continue;
        volume.m_kind = ClassifyVolume(volume.m_strDevice, volume.m_strFileSystem,
                                       QStringLiteral("/sys/class/block"));
        volume.m_strLabel = VolumeLabel(volume.m_strDevice);
        // A later mount on the same folder hides the earlier one.
        auto same = std::find_if(volumes.begin(), volumes.end(), [&](const VolumeInfo& known) {
            return known.m_strRoot == volume.m_strRoot;
        });
        if (same != volumes.end())
            *same = volume;
        else
            volumes.push_back(volume);
    }
    const auto isRoot = [](const VolumeInfo& volume) {
        return volume.m_strRoot == QLatin1String("/");
    };
    if (std::none_of(volumes.begin(), volumes.end(), isRoot)) {
        VolumeInfo root;
        root.m_strRoot = QStringLiteral("/");
        root.m_strFileSystem = rootFileSystemType;
        root.m_kind = DriveKind::Fixed;
        volumes.push_back(root);
    }
    std::stable_partition(volumes.begin(), volumes.end(), isRoot);
    return volumes;
}

std::vector<VolumeInfo> ListVolumes() {
    return VolumesFromMounts(ReadMountTable(), RootFileSystemType());
}

const VolumeInfo* VolumeContaining(const QString& path, const std::vector<VolumeInfo>& volumes) {
    const VolumeInfo* best = nullptr;
    for (const VolumeInfo& volume : volumes) {
        const QString& root = volume.m_strRoot;
        const bool contains =
            root == QLatin1String("/")
                ? path.startsWith(QLatin1Char('/'))
                : path == root || (path.startsWith(root) && path[root.size()] == QLatin1Char('/'));
        if (contains && (!best || root.size() > best->m_strRoot.size())) best = &volume;
    }
    return best;
}

}  // namespace ledgra
