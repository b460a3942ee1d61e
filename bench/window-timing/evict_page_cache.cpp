// evict-page-cache: makes the next start of a program cold without dropping the whole machine's
// page cache (which a shared machine must not do, and which needs root besides). It reads the
// trace of a warm run
//   strace -f -xx -e trace=openat,execve -o TRACE PROGRAM...
// and asks the kernel to drop the cached pages of every regular file the run opened or executed,
// its child processes' too (posix_fadvise POSIX_FADV_DONTNEED, after writing back what the run
// wrote, since dirty pages cannot leave). Files on memory file systems (tmpfs, whose pages are
// the files themselves), /proc and /sys are left alone. Prints the canonical paths of the files,
// each ended by a NUL, for a check with fincore: pages that a running process maps stay cached.
//   evict-page-cache TRACE

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace {

// The file named by the first argument of a traced openat or execve: relative names count only
// from the working folder (which the run shares with us), since another folder's descriptor
// cannot be resolved afterwards. With -xx every byte of the name is written as \xHH.
std::optional<std::string> TracedPath(std::string_view line) {
    std::size_t at = line.find("openat(");
    if (at != std::string_view::npos) {
        at += 7;
        const bool fromWorkingFolder = line.compare(at, 10, "AT_FDCWD, ") == 0;
        if (fromWorkingFolder) at += 10;
        if (!fromWorkingFolder && line.compare(at, 5, "\"\\x2f") != 0) return std::nullopt;
    } else if ((at = line.find("execve(")) != std::string_view::npos) {
        at += 7;
    } else {
        return std::nullopt;
    }
    if (at >= line.size() || line[at] != '"') return std::nullopt;
    std::string path;
    for (++at; at + 3 < line.size() && line[at] == '\\' && line[at + 1] == 'x'; at += 4) {
        unsigned byte = 0;
        const char* digits = line.data() + at + 2;
        if (std::from_chars(digits, digits + 2, byte, 16).ptr != digits + 2) return std::nullopt;
        path += static_cast<char>(byte);
    }
    if (path.empty() || at >= line.size() || line[at] != '"') return std::nullopt;
    return path;
}

bool OnMemoryFileSystem(int descriptor) {
    struct statfs system {};
    if (fstatfs(descriptor, &system) != 0) return true;
    switch (system.f_type) {
        case TMPFS_MAGIC:
        case RAMFS_MAGIC:
        case PROC_SUPER_MAGIC:
        case SYSFS_MAGIC:
            return true;
        default:
            return false;
    }
}

// Drops the file's cached pages; false when it is no regular file on a disk.
bool Evict(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) return false;
    struct stat status {};
    const bool evictable = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                           !OnMemoryFileSystem(descriptor);
    if (evictable) {
        fdatasync(descriptor);
        posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
    }
    close(descriptor);
    return evictable;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: evict-page-cache TRACE\n", stderr);
        return 2;
    }
    std::ifstream trace(argv[1]);
    if (!trace) {
        std::fprintf(stderr, "evict-page-cache: cannot read %s\n", argv[1]);
        return 1;
    }
    std::set<std::string> files;
    for (std::string line; std::getline(trace, line);) {
        const std::optional<std::string> path = TracedPath(line);
        std::error_code failed;
        if (!path) continue;
        const std::filesystem::path canonical = std::filesystem::canonical(*path, failed);
        if (!failed) files.insert(canonical.string());
    }
    std::size_t evicted = 0;
    for (const std::string& file : files) {
        if (!Evict(file)) continue;
        ++evicted;
        std::fwrite(file.c_str(), 1, file.size() + 1, stdout);
    }
    if (evicted == 0) {
        std::fprintf(stderr, "evict-page-cache: %s names no file on a disk\n", argv[1]);
        return 1;
    }
    return 0;
}
