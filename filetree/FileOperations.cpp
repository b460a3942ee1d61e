#include "filetree/FileOperations.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "filetree/NativeNames.h"

namespace ledgra {

namespace {

std::filesystem::path Native(const QString& path) {
    return std::filesystem::path(NativeFromPath(path).toStdString());
}

bool Exists(const QString& path) {
    struct stat status {};
    return lstat(NativeFromPath(path).constData(), &status) == 0;
}

// Whether the trash path is inside a trash folder the desktop knows: the user's
// ".../Trash/files/" or a volume's ".Trash-UID/files/" or ".Trash/UID/files/".
bool IsInTrashFolder(const QString& trashed) {
    const QString uid = QString::number(getuid());
    return trashed.contains(QLatin1String("/Trash/files/")) ||
           trashed.contains(QStringLiteral("/.Trash-%1/files/").arg(uid)) ||
           trashed.contains(QStringLiteral("/.Trash/%1/files/").arg(uid));
}

}  // namespace

bool IsValidFileName(const QString& text) {
    return !text.isEmpty() && text != QLatin1String(".") && text != QLatin1String("..") &&
           !text.contains(QLatin1Char('/')) && !text.contains(QChar(0));
}

bool RenameWithoutReplacing(const QString& from, const QString& to) {
    const QByteArray source = NativeFromPath(from);
    const QByteArray target = NativeFromPath(to);
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    // A file system without the no-replace form: look first.
    if (errno != EINVAL || Exists(to)) return false;
    return rename(source.constData(), target.constData()) == 0;
}

bool CopyFileWithoutReplacing(const QString& from, const QString& to) {
    if (Exists(to)) return false;
    std::error_code error;
    if (std::filesystem::copy_file(Native(from), Native(to), std::filesystem::copy_options::none,
                                   error) &&
        !error)
        return true;
    // A copy that broke off leaves no half-written file behind.
    std::error_code ignored;
    if (error != std::errc::file_exists) std::filesystem::remove(Native(to), ignored);
    return false;
}

bool MoveFileWithoutReplacing(const QString& from, const QString& to) {
    if (RenameWithoutReplacing(from, to)) return true;
    if (errno != EXDEV) return false;
    if (!CopyFileWithoutReplacing(from, to)) return false;
    std::error_code error;
    if (std::filesystem::remove(Native(from), error)) return true;
    std::filesystem::remove(Native(to), error);  // the source stays: no second copy either
    return false;
}

bool MoveToTrash(const QString& path) {
    // Qt knows the path by its UTF-8 form only: a name that is not UTF-8 would name another
    // file.
    if (QFile::encodeName(path) != NativeFromPath(path)) return false;
    // Qt puts the trash in the wrong place when the data folder does not exist.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString trashed;
    if (!QFile::moveToTrash(path, &trashed)) return false;
    if (IsInTrashFolder(trashed)) return true;
    RenameWithoutReplacing(trashed, path);
    return false;
}

bool DeletePermanently(const QString& path) {
    std::error_code error;
    std::filesystem::remove_all(Native(path), error);
    return !error && !Exists(path);
}

}  // namespace ledgra
