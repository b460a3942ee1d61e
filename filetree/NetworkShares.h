#pragma once
// The network as the file tree shows it: the servers whose shares are mounted here, and those
// mounted shares.

#include <QString>

#include <optional>
#include <vector>

#include "filetree/Volumes.h"

namespace ledgra {

struct NetworkShare {
    QString m_strServer;      // host name, without user or port
    QString m_strShare;       // share or export name
    QString m_strRemoteName;  // as the mount names it: "//server/share", "server:/export"
    QString m_strMountPoint;  // where its files are reached
    QString m_strFileSystem;
};

// The server and share of a network mount's device ("//server/share" for SMB,
// "server:/export" for NFS, "user@host:path" for SSH); nothing when it names no server.
std::optional<NetworkShare> ParseNetworkDevice(const QString& device, const QString& fileSystem,
                                               const QString& mountPoint);

// The share of one folder of a desktop virtual file system mount, named like
// "smb-share:server=host,share=name" or "sftp:host=host,user=me".
std::optional<NetworkShare> ParseVirtualMountFolder(const QString& folderName,
                                                    const QString& folderPath);

// Every mounted share of the remote volumes, in mount order; the desktop's virtual file
// system mount contributes one share per folder in it.
std::vector<NetworkShare> MountedNetworkShares(const std::vector<VolumeInfo>& volumes);

}  // namespace ledgra
