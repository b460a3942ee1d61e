#pragma once
// A document file read whole, once, as text.

#include <cstddef>
#include <filesystem>
#include <string>

namespace ledgra {

// The whole file as text up to its first NUL byte. Empty when it cannot be opened, is not a
// regular file, or holds more than `maxBytes` bytes (documents larger than that are not
// documents).
std::string ReadWholeFile(const std::filesystem::path& path,
                          std::size_t maxBytes = std::size_t{256} << 20);

}  // namespace ledgra
