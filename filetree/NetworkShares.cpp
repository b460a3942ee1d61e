#include "filetree/NetworkShares.h"

#include <QDir>

#include "filetree/FolderListing.h"

namespace ledgra {

namespace {

QString WithoutSlashes(QString text) {
    while (text.startsWith(QLatin1Char('/'))) text.remove(0, 1);
    while (text.endsWith(QLatin1Char('/'))) text.chop(1);
    return text;
}

QString LastFolderName(const QString& path) {
    const QString trimmed = WithoutSlashes(path);
    return trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
}

}  // namespace

std::optional<NetworkShare> ParseNetworkDevice(const QString& device, const QString& fileSystem,
                                               const QString& mountPoint) {
    NetworkShare share;
    share.m_strMountPoint = mountPoint;
    share.m_strFileSystem = fileSystem;
    QString remote = device;
    remote.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (remote.startsWith(QLatin1String("//"))) {
        const QString rest = remote.mid(2);
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        share.m_strServer = rest.left(slash);
        share.m_strShare = slash < 0 ? QString() : WithoutSlashes(rest.mid(slash + 1));
    } else {
        const qsizetype colon = remote.indexOf(QLatin1Char(':'));
        if (colon <= 0) return std::nullopt;
        QString host = remote.left(colon);
        host = host.mid(host.lastIndexOf(QLatin1Char('@')) + 1);
        share.m_strServer = host;
        share.m_strShare = WithoutSlashes(remote.mid(colon + 1));
    }
    if (share.m_strServer.isEmpty()) return std::nullopt;
    if (share.m_strShare.isEmpty()) share.m_strShare = LastFolderName(mountPoint);
    share.m_strRemoteName = remote;
    return share;
}

std::optional<NetworkShare> ParseVirtualMountFolder(const QString& folderName,
                                                    const QString& folderPath) {
    const qsizetype colon = folderName.indexOf(QLatin1Char(':'));
    if (colon <= 0) return std::nullopt;
    NetworkShare share;
    const QStringList settings = folderName.mid(colon + 1).split(QLatin1Char(','));
    for (const QString& setting : settings) {
        const QString key = setting.section(QLatin1Char('='), 0, 0);
        const QString value = setting.section(QLatin1Char('='), 1);
        if (key == QLatin1String("server") || key == QLatin1String("host"))
            share.m_strServer = value;
        else if (key == QLatin1String("share"))
            share.m_strShare = value;
    }
    if (share.m_strServer.isEmpty()) return std::nullopt;
    if (share.m_strShare.isEmpty()) share.m_strShare = folderName;
    share.m_strRemoteName =
        QStringLiteral("//") + share.m_strServer + QLatin1Char('/') + share.m_strShare;
    share.m_strMountPoint = folderPath;
    share.m_strFileSystem = folderName.left(colon);
    return share;
}

std::vector<NetworkShare> MountedNetworkShares(const std::vector<VolumeInfo>& volumes) {
    std::vector<NetworkShare> shares;
    for (const VolumeInfo& volume : volumes) {
        if (volume.m_kind != DriveKind::Remote) continue;
        if (volume.m_strFileSystem == QLatin1String("fuse.gvfsd-fuse")) {
            ForEachFolderEntry(volume.m_strRoot, [&](const FolderEntry& entry) {
                if (auto share = ParseVirtualMountFolder(entry.m_strName, entry.m_strFullPath))
                    shares.push_back(*share);
                return true;
            });
        } else if (auto share = ParseNetworkDevice(volume.m_strDevice, volume.m_strFileSystem,
                                                   volume.m_strRoot)) {
            shares.push_back(*share);
        }
    }
    return shares;
}

}  // namespace ledgra
