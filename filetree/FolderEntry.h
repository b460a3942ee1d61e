#pragma once
// One entry of a folder as the tree's filters see it.

#include <QString>

#include <cstdint>

namespace ledgra {

// Attribute bits of an entry. Only the hidden bit (a name starting with a dot) and the
// compressed and encrypted bits (inode flags) exist here; the others are kept so that the
// tree's hidden-attribute masks mean what they say.
enum FileAttribute : std::uint32_t {
    kAttributeHidden = 0x2,
    kAttributeSystem = 0x4,
    kAttributeTemporary = 0x100,
    kAttributeCompressed = 0x800,
    kAttributeOffline = 0x1000,
    kAttributeEncrypted = 0x4000,
};

struct FolderEntry {
    QString m_strName;      // with its extension
    QString m_strFullPath;  // the folder's path, a separator and the name
    bool m_bIsDirectory = false;
    std::uint32_t m_dwAttributes = 0;  // FileAttribute bits known from the listing
};

}  // namespace ledgra
