#include "filetree/DesktopApplications.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringList>

#include <algorithm>

namespace ledgra {

namespace {

// The association files are short; a larger one is no association file.
constexpr qint64 kMaxListBytes = 4 * 1024 * 1024;

// The folders of an XDG variable, or its default when it is unset or empty.
QStringList XdgFolders(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    return (value.isEmpty() ? fallback : value).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QStringList ApplicationFolders() {
    const QString home = QDir::homePath();
    QStringList folders =
        XdgFolders("XDG_DATA_HOME", home + QStringLiteral("/.local/share")) +
        XdgFolders("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (QString& folder : folders) folder += QStringLiteral("/applications");
    return folders;
}

// The desktop entries a file lists for the types under its given sections.
QStringList ListedEntries(const QString& path, const QStringList& sections,
                          const QStringList& types) {
    QFile file(path);
    if (file.size() > kMaxListBytes || !file.open(QIODevice::ReadOnly)) return {};
    QStringList entries;
    bool inSection = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = sections.contains(line);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inSection || equals <= 0 || !types.contains(line.left(equals).trimmed())) continue;
        entries += line.mid(equals + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return entries;
}

bool EntryExists(const QString& entry, const QStringList& folders) {
    if (entry.contains(QStringLiteral(".."))) return false;
    // A desktop file id "a-b.desktop" may name "a/b.desktop" below an applications folder.
    const QString nested = QString(entry).replace(QLatin1Char('-'), QLatin1Char('/'));
    for (const QString& folder : folders)
        if (QFileInfo(folder + QLatin1Char('/') + entry).isFile() ||
            QFileInfo(folder + QLatin1Char('/') + nested).isFile())
            return true;
    return false;
}

}  // namespace

bool HasDesktopApplication(const QString& mimeType) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    const QStringList types = type.isValid()
                                  ? QStringList{type.name()} + type.aliases() + type.allAncestors()
                                  : QStringList{mimeType};

    const QStringList applications = ApplicationFolders();
    QStringList lists;
    for (const QString& folder :
         XdgFolders("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config")) +
             XdgFolders("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")) + applications)
        lists.append(folder + QStringLiteral("/mimeapps.list"));
    const QStringList associations{QStringLiteral("[Default Applications]"),
                                   QStringLiteral("[Added Associations]")};
    QStringList entries;
    for (const QString& list : lists) entries += ListedEntries(list, associations, types);
    for (const QString& folder : applications)
        entries += ListedEntries(folder + QStringLiteral("/mimeinfo.cache"),
                                 {QStringLiteral("[MIME Cache]")}, types);
    return std::any_of(entries.begin(), entries.end(), [&](const QString& entry) {
        return EntryExists(entry.trimmed(), applications);
    });
}

}  // namespace ledgra
