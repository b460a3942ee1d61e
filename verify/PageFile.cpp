#include "verify/PageFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "render/PageFilling.h"

namespace ledgra {
bool WritePageFile(const std::filesystem::path& file, std::string_view page) {
    if (file.filename().empty()) return false;
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    // mkstemp creates the file exclusively (O_EXCL), so nothing planted is opened.
    std::string temporary = (folder / ("." + file.filename().native() + ".XXXXXX")).native();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;

    bool written = ::fchmod(fd, 0644) == 0 && WriteAllBytes(fd, page);
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temporary.c_str(), file.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace ledgra
