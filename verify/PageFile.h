#pragma once
// Writing the page of a run into the html file that the view then shows.

#include <filesystem>
#include <string_view>

namespace ledgra {

// Replaces the file with exactly these bytes. The bytes go to a new file in the same folder
// that then takes the file's name, so a failed write leaves the previous file whole and a
// symbolic link or hard link planted at the name is replaced, never written through.
// False when the file could not be written; nothing is left behind then.
bool WritePageFile(const std::filesystem::path& file, std::string_view page);

}  // namespace ledgra
