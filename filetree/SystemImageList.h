#pragma once
// The desktop's icons for the file tree. Looking an icon up by file is slow (it may read the
// file to learn its type), so icons are looked up once per kind: folders, each file extension,
// volumes by kind, the special items.

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QString>

#include <functional>

#include "filetree/Volumes.h"

namespace ledgra {

class CSystemImageList {
public:
    CSystemImageList() = default;
    virtual ~CSystemImageList() = default;

    // A folder or file icon; the open icon differs for folders only.
    QIcon IconOfPath(const QString& path, bool open) const;
    QIcon FolderIcon(bool open) const;
    QIcon FileIcon(const QString& path) const;
    QIcon DriveIcon(DriveKind kind) const;
    QIcon DesktopIcon() const;
    QIcon DocumentsIcon() const;
    QIcon ComputerIcon() const;
    QIcon NetworkIcon() const;
    QIcon ServerIcon() const;
    // The icon with the shared emblem in its lower left corner.
    QIcon WithSharedOverlay(const QIcon& icon) const;
    // An item's icon: the normal picture, the open one while the item is selected, each with
    // the shared emblem when shared.
    QIcon ItemIcon(const QIcon& normal, const QIcon& open, bool shared) const;

private:
    QIcon Cached(const QString& key, const std::function<QIcon()>& make) const;

    QFileIconProvider m_provider;
    mutable QHash<QString, QIcon> m_cache;
};

}  // namespace ledgra
