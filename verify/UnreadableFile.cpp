#include "verify/UnreadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/Cp949.h"

namespace ledgra {
namespace {

std::string ErrorText(int error) {
    switch (error) {
        case ENOENT:
            return "파일이 없습니다."_cp949;
        case EACCES:
        case EPERM:
            return "읽을 권한이 없습니다."_cp949;
        default:
            return Cp949FromUtf8(std::strerror(error));
    }
}

}  // namespace

std::optional<std::string> WhyUnreadable(const std::filesystem::path& path, std::size_t maxBytes) {
    // Non-blocking, so that a FIFO at the name cannot stall the check.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return ErrorText(errno);
    struct stat status {};
    const int statResult = ::fstat(fd, &status);
    const int statError = errno;
    ::close(fd);
    if (statResult != 0) return ErrorText(statError);
    if (!S_ISREG(status.st_mode)) return "일반 파일이 아닙니다."_cp949;
    if (static_cast<std::size_t>(status.st_size) > maxBytes) return "파일이 너무 큽니다."_cp949;
    return std::nullopt;
}

}  // namespace ledgra
