#include "filetree/SystemImageList.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace ledgra {

namespace {

constexpr int kIconSize = 16;

QIcon ThemeIcon(const char* name, const QIcon& fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

}  // namespace

QIcon CSystemImageList::Cached(const QString& key, const std::function<QIcon()>& make) const {
    auto found = m_cache.constFind(key);
    if (found != m_cache.constEnd()) return *found;
    return *m_cache.insert(key, make());
}

QIcon CSystemImageList::IconOfPath(const QString& path, bool open) const {
    const QFileInfo info(path);
    if (info.isDir()) return FolderIcon(open);
    return FileIcon(path);
}

QIcon CSystemImageList::FolderIcon(bool open) const {
    if (!open)
        return Cached(QStringLiteral(":folder"),
                      [this] { return m_provider.icon(QAbstractFileIconProvider::Folder); });
    return Cached(QStringLiteral(":folder-open"), [this] {
        return ThemeIcon("folder-open",
                         QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon));
    });
}

QIcon CSystemImageList::FileIcon(const QString& path) const {
    const QFileInfo info(path);
    const QString key = QStringLiteral("file.") + info.suffix().toLower();
    auto found = m_cache.constFind(key);
    if (found != m_cache.constEnd()) return *found;
    // A name that is not UTF-8 is no file to Qt: it gets the plain file icon, and the kind's
    // own icon waits for a file Qt can look at.
    const QIcon icon = m_provider.icon(info);
    if (icon.isNull()) return m_provider.icon(QAbstractFileIconProvider::File);
    return *m_cache.insert(key, icon);
}

QIcon CSystemImageList::DriveIcon(DriveKind kind) const {
    switch (kind) {
        case DriveKind::Removable:
            return Cached(QStringLiteral(":removable"), [this] {
                return ThemeIcon("drive-removable-media",
                                 m_provider.icon(QAbstractFileIconProvider::Drive));
            });
        case DriveKind::CdRom:
            return Cached(QStringLiteral(":optical"), [this] {
                return ThemeIcon("drive-optical",
                                 m_provider.icon(QAbstractFileIconProvider::Drive));
            });
        case DriveKind::Remote:
            return Cached(QStringLiteral(":remote"), [this] {
                return ThemeIcon("folder-remote",
                                 m_provider.icon(QAbstractFileIconProvider::Network));
            });
        case DriveKind::Fixed:
        case DriveKind::RamDisk:
        case DriveKind::Unknown:
            break;
    }
    return Cached(QStringLiteral(":drive"), [this] {
        return ThemeIcon("drive-harddisk", m_provider.icon(QAbstractFileIconProvider::Drive));
    });
}

QIcon CSystemImageList::DesktopIcon() const {
    return Cached(QStringLiteral(":desktop"), [this] {
        return ThemeIcon("user-desktop", m_provider.icon(QAbstractFileIconProvider::Desktop));
    });
}

QIcon CSystemImageList::DocumentsIcon() const {
    return Cached(QStringLiteral(":documents"), [this] {
        return ThemeIcon("folder-documents", m_provider.icon(QAbstractFileIconProvider::Folder));
    });
}

QIcon CSystemImageList::ComputerIcon() const {
    return Cached(QStringLiteral(":computer"),
                  [this] { return m_provider.icon(QAbstractFileIconProvider::Computer); });
}

QIcon CSystemImageList::NetworkIcon() const {
    return Cached(QStringLiteral(":network"),
                  [this] { return m_provider.icon(QAbstractFileIconProvider::Network); });
}

QIcon CSystemImageList::ServerIcon() const {
    return Cached(QStringLiteral(":server"),
                  [this] { return ThemeIcon("network-server", ComputerIcon()); });
}

QIcon CSystemImageList::WithSharedOverlay(const QIcon& icon) const {
    return Cached(QStringLiteral(":shared.") + QString::number(icon.cacheKey()), [&icon] {
        QPixmap pixmap = icon.pixmap(kIconSize, kIconSize);
        if (pixmap.isNull()) {
            pixmap = QPixmap(kIconSize, kIconSize);
            pixmap.fill(Qt::transparent);
        }
        const QIcon emblem = ThemeIcon(
            "emblem-shared", QApplication::style()->standardIcon(QStyle::SP_DriveNetIcon));
        QPainter painter(&pixmap);
        const int size = kIconSize / 2;
        painter.drawPixmap(0, kIconSize - size, emblem.pixmap(size, size));
        painter.end();
        return QIcon(pixmap);
    });
}

QIcon CSystemImageList::ItemIcon(const QIcon& normal, const QIcon& open, bool shared) const {
    if (normal.cacheKey() == open.cacheKey()) return shared ? WithSharedOverlay(normal) : normal;
    const QString key = QStringLiteral(":item.%1.%2.%3")
                            .arg(normal.cacheKey())
                            .arg(open.cacheKey())
                            .arg(shared ? 1 : 0);
    return Cached(key, [&] {
        const QIcon shownNormal = shared ? WithSharedOverlay(normal) : normal;
        const QIcon shownOpen = shared ? WithSharedOverlay(open) : open;
        QIcon both;
        for (int size : {kIconSize, 2 * kIconSize}) {
            both.addPixmap(shownNormal.pixmap(size, size), QIcon::Normal);
            both.addPixmap(shownOpen.pixmap(size, size), QIcon::Selected);
        }
        return both;
    });
}

}  // namespace ledgra
