#include "tests/support/SharedSamples.h"

#include <system_error>

namespace ledgra::testing {

std::string MissingFolderMessage(const std::filesystem::path& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return {};
    return "the real-world samples folder " + folder.lexically_normal().native() +
           " is missing (a plain clone has no ../shared/; see the README)";
}

}  // namespace ledgra::testing
