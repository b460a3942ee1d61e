#pragma once
// The folders the viewer works in, under the user's documents folder.

#include <filesystem>

namespace ledgra {

// The user's documents folder, created when missing.
std::filesystem::path DocumentsFolder();

// <documents>/ZOVA/Logs/ with its trailing separator, created (with ZOVA) where missing. A
// folder that cannot be created is not an error here: writing into it fails later, and says so.
std::filesystem::path CreateLogFolder(const std::filesystem::path& documents);

// <documents>/ZOVA/CA/: the root certificates documents are verified against.
std::filesystem::path TrustFolder(const std::filesystem::path& documents);

}  // namespace ledgra
