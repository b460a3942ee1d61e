#include "filetree/MountTable.h"

#include <QFile>

#include <sys/vfs.h>

#include <algorithm>
#include <utility>

#include "filetree/NativeNames.h"
#include "filetree/Volumes.h"

namespace ledgra {

namespace {

constexpr qint64 kMaxMountTableBytes = 4 << 20;

// Mount points and devices escape blanks, tabs, newlines and backslashes as "\ooo".
QByteArray Unescaped(const QByteArray& field) {
    QByteArray bytes;
    bytes.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2) &&
            isOctal(i + 3)) {
            bytes.append(static_cast<char>(((field[i + 1] - '0') << 6) |
                                           ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            bytes.append(field[i]);
        }
    }
    return bytes;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(const QByteArray& text) {
    // "id parent major:minor root mount-point options [optional fields] - type source super"
    std::vector<MountEntry> mounts;
    for (const QByteArray& line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf(QByteArray("-"));
        if (separator < 6 || separator + 2 >= fields.size()) continue;
        MountEntry entry;
        entry.m_strRoot = PathFromNative(Unescaped(fields[4]));
        entry.m_strFileSystem = QString::fromUtf8(fields[separator + 1]);
        entry.m_strDevice = PathFromNative(Unescaped(fields[separator + 2]));
        if (!entry.m_strRoot.startsWith(QLatin1Char('/'))) continue;
        mounts.push_back(std::move(entry));
    }
    return mounts;
}

std::vector<MountEntry> ReadMountTable() {
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ParseMountInfo(file.read(kMaxMountTableBytes));
}

bool MayNotAnswer(const QString& fileSystem) {
    // fuseblk is a kernel-driven disk (NTFS, exFAT), not a user-space program.
    return IsNetworkFileSystem(fileSystem) ||
           (fileSystem.startsWith(QLatin1String("fuse")) && fileSystem != QLatin1String("fuseblk"));
}

QStringList SlowMountRoots(const std::vector<MountEntry>& mounts) {
    QStringList roots;
    for (const MountEntry& mount : mounts)
        if (MayNotAnswer(mount.m_strFileSystem) && !roots.contains(mount.m_strRoot))
            roots.append(mount.m_strRoot);
    return roots;
}

bool IsOnSlowMount(const QString& path, const QStringList& slowRoots) {
    return std::any_of(slowRoots.begin(), slowRoots.end(), [&](const QString& root) {
        if (root == QLatin1String("/")) return true;
        return path == root || (path.startsWith(root) && path.size() > root.size() &&
                                path[root.size()] == QLatin1Char('/'));
    });
}

QString RootFileSystemType() {
    struct statfs status {};
    if (statfs("/", &status) != 0) return {};
    // The magic numbers of the file systems a root commonly is (linux/magic.h).
    static const std::pair<unsigned long, const char*> kTypes[] = {
        {0xEF53, "ext4"},      {0x58465342, "xfs"}, {0x9123683E, "btrfs"}, {0x794C7630, "overlay"},
        {0x01021994, "tmpfs"}, {0x2FC12FC1, "zfs"}, {0xF2F52010, "f2fs"},  {0x73717368, "squashfs"},
        {0x858458F6, "ramfs"}, {0x6969, "nfs"},     {0xFF534D42, "cifs"},  {0x65735546, "fuse"}};
    const auto type = static_cast<unsigned long>(status.f_type);
    for (const auto& [magic, name] : kTypes)
        if (magic == type) return QString::fromLatin1(name);
    return {};
}

}  // namespace ledgra
