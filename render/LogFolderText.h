#pragma once
// How a page names a file in the log folder.

#include <filesystem>
#include <string>
#include <string_view>

namespace ledgra {

// The log folder path as page text (code page 949) followed by a file name, as in
// "%szova_supplier.gif".
std::string LogFolderPageText(const std::filesystem::path& logFolder, std::string_view fileName);

}  // namespace ledgra
