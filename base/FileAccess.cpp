#include "base/FileAccess.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

namespace ledgra {
namespace {

// Closes the descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now and reports whether the close succeeded (a late write error shows up here).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Opens without blocking (a FIFO would wait for a writer) and without taking a terminal.
FileDescriptor OpenForReading(const std::filesystem::path& path) {
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
}

bool IsRegular(const FileDescriptor& file, struct stat& status) {
    return file.Valid() && ::fstat(file.Get(), &status) == 0 && S_ISREG(status.st_mode);
}

// Reads to the end of the file, at most `limit` bytes in all.
std::optional<std::string> ReadUpTo(int fd, std::size_t sizeHint, std::size_t limit) {
    std::string bytes(std::min(sizeHint, limit), '\0');
    std::size_t total = 0;
    while (true) {
        if (total == bytes.size()) {
            if (total >= limit) break;
            bytes.resize(std::min(limit, std::max<std::size_t>(bytes.size() * 2, 4096)));
        }
        const ssize_t got = ::read(fd, bytes.data() + total, bytes.size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    bytes.resize(total);
    return bytes;
}

// The name of the temporary file a write goes to first. A fixed short stem rather than the
// target's name, so that a target name near the length limit still gets a temporary.
std::string TemporaryNameIn(const std::filesystem::path& folder) {
    return (folder / ".ledgra-write-XXXXXX").native();
}

// Writes all bytes to an open file descriptor, resuming after interruptions.
bool WriteAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::filesystem::path& path,
                                           std::size_t maxBytes) {
    const FileDescriptor file = OpenForReading(path);
    struct stat status {};
    if (!IsRegular(file, status)) return std::nullopt;
    const auto size = static_cast<std::uintmax_t>(status.st_size);
    if (size > maxBytes) return std::nullopt;

    // The file may grow while it is read: reading one byte past the bound notices that.
    const std::size_t limit =
        maxBytes < std::numeric_limits<std::size_t>::max() ? maxBytes + 1 : maxBytes;
    std::optional<std::string> bytes =
        ReadUpTo(file.Get(), static_cast<std::size_t>(size) + 1, limit);
    if (!bytes || bytes->size() > maxBytes) return std::nullopt;
    return bytes;
}

bool WriteOwnFile(const std::filesystem::path& path, std::string_view bytes) {
    if (path.filename().empty()) {
        errno = EISDIR;
        return false;
    }
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    // mkstemp creates the file exclusively (O_EXCL), so nothing planted is opened.
    std::string temporary = TemporaryNameIn(folder);
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.Valid()) return false;

    bool written = ::fchmod(file.Get(), 0644) == 0 && WriteAllBytes(file.Get(), bytes);
    written = file.Close() && written;
    if (written && ::rename(temporary.c_str(), path.c_str()) == 0) return true;
    const int cause = errno;
    ::unlink(temporary.c_str());
    errno = cause;
    return false;
}

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::string text = ReadRegularFile(path, maxBytes).value_or(std::string());
    // The text ends at its first NUL byte, as a C string would.
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

bool IsReadableRegularFile(const std::filesystem::path& path) {
    struct stat status {};
    return IsRegular(OpenForReading(path), status);
}

}  // namespace ledgra
