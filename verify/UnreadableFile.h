#pragma once
// Why a document file that gave no bytes could not be read, in words for the user: a file
// that is gone or may not be read is not "not a document", and the user is told which.

#include <filesystem>
#include <optional>
#include <string>

namespace ledgra {

// The reason (code page 949) when `path` cannot be opened for reading, is not a regular file,
// or is larger than `maxBytes`; nothing when it can be read (an empty file, say).
std::optional<std::string> WhyUnreadable(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace ledgra
