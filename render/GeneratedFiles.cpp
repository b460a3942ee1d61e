#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

#include "render/PageFilling.h"
#include "text/Cp949.h"

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

}  // namespace

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

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    // Non-blocking, so that a FIFO planted under a document's name cannot stall the open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.Valid()) return {};
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes) return {};

    // The file may grow while it is read: reading one byte past the bound notices that.
    const std::size_t readLimit =
        maxBytes < std::numeric_limits<std::size_t>::max() ? maxBytes + 1 : maxBytes;
    std::string text(std::min(static_cast<std::size_t>(status.st_size) + 1, readLimit), '\0');
    std::size_t total = 0;
    while (true) {
        if (total == text.size()) {
            if (total >= readLimit) break;
            text.resize(std::min(readLimit, std::max<std::size_t>(text.size() * 2, 4096)));
        }
        const ssize_t got = ::read(file.Get(), text.data() + total, text.size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return {};
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    if (total > maxBytes) return {};
    text.resize(total);
    // The text ends at its first NUL byte, as a C string would.
    text.resize(std::min(total, text.find('\0')));
    return text;
}

bool WriteGeneratedFile(const std::filesystem::path& path, std::string_view bytes) {
    // No O_TRUNC yet: what is found at the name is checked before anything of it is lost.
    // O_NOFOLLOW refuses a symbolic link; O_NONBLOCK keeps a FIFO from stalling the open.
    FileDescriptor file(::open(
        path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (!file.Valid()) return false;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0) return false;
    // Only a regular file with no other name is ours to overwrite: a hard link planted at the
    // name would make us overwrite the file it shares its content with.
    if (!S_ISREG(status.st_mode) || status.st_nlink != 1) return false;

    const bool written = ::ftruncate(file.Get(), 0) == 0 && WriteAllBytes(file.Get(), bytes);
    if (written && file.Close()) return true;
    // Leave nothing half-written behind.
    ::unlink(path.c_str());
    return false;
}

std::string LogFolderPageText(const FrameState& frame, std::string_view fileName) {
    std::string text = Cp949FromUtf8(frame.m_strLogFolder.native());
    text += fileName;
    return text;
}

}  // namespace ledgra
