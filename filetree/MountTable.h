#pragma once
// The kernel's table of mounted file systems, read without touching any of them (a network or
// FUSE mount that no longer answers would block the caller).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace ledgra {

struct MountEntry {
    QString m_strRoot;  // the mount point (in the tree's path form, see NativeNames.h)
    QString m_strDevice;
    QString m_strFileSystem;
};

// The entries of /proc/self/mountinfo text, in mount order; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(const QByteArray& text);
// This process's mount table; empty where /proc is not mounted.
std::vector<MountEntry> ReadMountTable();

// File systems whose calls may wait without limit on a server or a user-space program.
bool MayNotAnswer(const QString& fileSystem);
// The roots of the mounts of such file systems.
QStringList SlowMountRoots(const std::vector<MountEntry>& mounts);
// Whether path is one of the roots or lies below one.
bool IsOnSlowMount(const QString& path, const QStringList& slowRoots);

// The type name of the file system holding "/", asked with statfs() ("" when unknown).
QString RootFileSystemType();

}  // namespace ledgra
