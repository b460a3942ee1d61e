#pragma once
// The folders the viewer works in, under the user's documents folder:
//   <documents>/ZOVA/Logs/      the html file, seal images and attachments of the last page
//   <documents>/ZOVA/CA/        the root certificates documents are verified against
//   <documents>/ZOVA/Taxfiles/  where the tree opens and the user keeps documents
// The names below are also read by the build (samples/CMakeLists.txt) for the demo profile.

#include <filesystem>
#include <string_view>

namespace ledgra {

inline constexpr std::string_view kZovaFolderName = "ZOVA";
inline constexpr std::string_view kLogFolderName = "Logs";
inline constexpr std::string_view kTrustFolderName = "CA";
inline constexpr std::string_view kTaxfilesFolderName = "Taxfiles";

// <documents>/ZOVA
std::filesystem::path ZovaFolder(const std::filesystem::path& documents);

// <documents>/ZOVA/Logs/ with its trailing separator, created with every folder above it where
// missing. A folder that cannot be created is not an error here: writing into it fails later,
// and says so.
std::filesystem::path CreateLogFolder(const std::filesystem::path& documents);

// <documents>/ZOVA/CA/ with its trailing separator.
std::filesystem::path TrustFolder(const std::filesystem::path& documents);

// <documents>/ZOVA/Taxfiles/ with its trailing separator.
std::filesystem::path TaxfilesFolder(const std::filesystem::path& documents);

}  // namespace ledgra
