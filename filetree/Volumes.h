#pragma once
// The mounted volumes the file tree lists under Computer, and what kind of drive each is.

#include <QString>

#include <cstdint>
#include <vector>

namespace ledgra {

enum class DriveKind { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// The bits of the tree's hidden-drive-kinds mask.
enum DriveKindBit : std::uint32_t {
    kDriveBitRemovable = 0x1,
    kDriveBitFixed = 0x2,
    kDriveBitRemote = 0x4,
    kDriveBitCdRom = 0x10,
    kDriveBitRamDisk = 0x20,
};

std::uint32_t DriveKindBitOf(DriveKind kind);  // 0 for Unknown

struct VolumeInfo {
    QString m_strRoot;  // the mount point, "/" for the root file system
    QString m_strDevice;
    QString m_strFileSystem;
    QString m_strLabel;
    DriveKind m_kind = DriveKind::Unknown;
};

struct MountEntry;

// The volumes worth listing: the root file system first, then real block devices and network
// file systems in mount order (no pseudo, memory or image file systems, one entry per root).
// The root file system is always there: a mount table without "/" (a chroot, some containers)
// gets it with the type statfs("/") reports.
std::vector<VolumeInfo> ListVolumes();
// The same from a given mount table and root file system type.
std::vector<VolumeInfo> VolumesFromMounts(const std::vector<MountEntry>& mounts,
                                          const QString& rootFileSystemType);

// The kind of a mounted device. sysBlockFolder is the folder of the kernel's block device
// entries ("/sys/class/block"); removable comes from the device's (or, for a partition, its
// disk's) "removable" entry there.
DriveKind ClassifyVolume(const QString& device, const QString& fileSystem,
                         const QString& sysBlockFolder);

bool IsNetworkFileSystem(const QString& fileSystem);
// File systems that find names whatever their case (FAT, exFAT, NTFS, SMB).
bool IsCaseInsensitiveFileSystem(const QString& fileSystem);

// The volume whose root is the longest one containing path (a whole-component prefix); null
// when none does.
const VolumeInfo* VolumeContaining(const QString& path, const std::vector<VolumeInfo>& volumes);

}  // namespace ledgra
