#pragma once
// The record every file tree item owns: the path it stands for, the name used for matching and
// sorting, and what kind of item it is.

#include <QString>

#include <cstdint>
#include <memory>

namespace ledgra {

// The description of a network item: a server, or a share a server offers (a mounted network
// file system).
struct NetworkResourceInfo {
    static constexpr std::uint32_t kDisplayTypeGeneric = 0;
    static constexpr std::uint32_t kDisplayTypeServer = 2;
    static constexpr std::uint32_t kDisplayTypeShare = 3;

    std::uint32_t m_dwScope = 0;
    std::uint32_t m_dwType = 0;
    std::uint32_t m_dwDisplayType = kDisplayTypeGeneric;
    std::uint32_t m_dwUsage = 0;
    QString m_strLocalName;   // where the share is mounted
    QString m_strRemoteName;  // "//server/share" (or "server:/export" for NFS)
    QString m_strComment;
    QString m_strProvider;  // the file system type
};

class CTreeFileCtrlItemInfo {
public:
    CTreeFileCtrlItemInfo() = default;
    // A copy has its own network description (none when the original has none).
    CTreeFileCtrlItemInfo(const CTreeFileCtrlItemInfo& other);
    CTreeFileCtrlItemInfo& operator=(const CTreeFileCtrlItemInfo& other);
    CTreeFileCtrlItemInfo(CTreeFileCtrlItemInfo&&) noexcept = default;
    CTreeFileCtrlItemInfo& operator=(CTreeFileCtrlItemInfo&&) noexcept = default;
    virtual ~CTreeFileCtrlItemInfo() = default;

    // The volume root, folder or file; a share's mount point, a server's "//server"; empty for
    // the desktop root and the Computer and Network items; the folder itself for Documents.
    QString m_strFullPath;
    // The file or folder name with its extension, the volume root, the server or share name, or
    // the display name of a special item.
    QString m_strName;
    std::unique_ptr<NetworkResourceInfo> m_pNetInfo;
    bool m_bDesktopRoot = false;
    bool m_bNetworkItem = false;
    bool m_bDocumentsItem = false;
    bool m_bTextWithoutExtension = false;
    bool m_bIsFile = false;
};

}  // namespace ledgra
