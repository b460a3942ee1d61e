#include "render/WholeFile.h"

#include <algorithm>

#include "render/FileAccess.h"

namespace ledgra {

std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::string text = ReadRegularFile(path, maxBytes).value_or(std::string());
    // The text ends at its first NUL byte, as a C string would.
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

}  // namespace ledgra
