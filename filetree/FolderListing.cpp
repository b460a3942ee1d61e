#include "filetree/FolderListing.h"

#include "filetree/NativeNames.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#if __has_include(<linux/fs.h>)
#include <linux/fs.h>
#endif

namespace ledgra {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool IsDirectoryEntry(DIR* dir, const dirent* entry) {
    if (entry->d_type == DT_DIR) return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
    struct stat status {};
    return fstatat(dirfd(dir), entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace

bool ForEachFolderEntry(const QString& folder,
                        const std::function<bool(const FolderEntry&)>& visit) {
    const QByteArray encoded = NativeFromPath(folder);
    std::unique_ptr<DIR, DirCloser> dir(opendir(encoded.constData()));
    if (!dir) return false;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    FolderEntry found;
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
        found.m_strName = PathFromNative(QByteArray(name));
        found.m_strFullPath = prefix + found.m_strName;
        found.m_bIsDirectory = IsDirectoryEntry(dir.get(), entry);
        found.m_dwAttributes = name[0] == '.' ? std::uint32_t{kAttributeHidden} : 0u;
        if (!visit(found)) break;
    }
    return true;
}

PathKind KindOfPath(const QString& path) {
    struct stat status {};
    if (path.isEmpty()) return PathKind::Missing;
    const QByteArray native = NativeFromPath(path);
    if (stat(native.constData(), &status) != 0)
        return lstat(native.constData(), &status) == 0 && S_ISLNK(status.st_mode)
                   ? PathKind::DanglingLink
                   : PathKind::Missing;
    return S_ISDIR(status.st_mode) ? PathKind::Folder : PathKind::File;
}

bool MatchesPattern(const QString& name, const QString& pattern) {
    const auto isWildcard = [](QChar c) { return c == QLatin1Char('*') || c == QLatin1Char('?'); };
    // The usual "*.EXT" form is a suffix test.
    const QStringView tail = QStringView(pattern).mid(1);
    if (pattern.startsWith(QLatin1Char('*')) && std::none_of(tail.begin(), tail.end(), isWildcard))
        return name.endsWith(tail, Qt::CaseInsensitive);

    // Greedy matching that backtracks to the last "*".
    qsizetype n = 0, p = 0, starPattern = -1, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == QLatin1Char('?') ||
                                          name[n].toCaseFolded() == pattern[p].toCaseFolded())) {
            ++n;
            ++p;
        } else if (starPattern >= 0) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*')) ++p;
    return p == pattern.size();
}

std::uint32_t InodeAttributes(const QString& path) {
#if defined(FS_IOC_GETFLAGS)
    const QByteArray encoded = NativeFromPath(path);
    struct stat status {};
    if (stat(encoded.constData(), &status) != 0) return 0;
    if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) return 0;
    FileDescriptor fd(open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0) return 0;
    int flags = 0;
    if (ioctl(fd.Get(), FS_IOC_GETFLAGS, &flags) != 0) return 0;
    std::uint32_t attributes = 0;
    if (flags & FS_COMPR_FL) attributes |= kAttributeCompressed;
#if defined(FS_ENCRYPT_FL)
    if (flags & FS_ENCRYPT_FL) attributes |= kAttributeEncrypted;
#endif
    return attributes;
#else
    Q_UNUSED(path);
    return 0;
#endif
}

}  // namespace ledgra
