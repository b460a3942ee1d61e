#include "tools/render/EngineProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ledgra {

bool IsThumbnailCommand(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--thumbnail";
}

int ContinueInEngineProgram(char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path program = self.parent_path() / kEngineProgramName;
    if (!error) {
        ::execv(program.c_str(), argv);
        error.assign(errno, std::generic_category());
    }
    std::fprintf(stderr, "ledgra-render: %s cannot be started: %s\n", program.c_str(),
                 error.message().c_str());
    return 1;
}

}  // namespace ledgra
