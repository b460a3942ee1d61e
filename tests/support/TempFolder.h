#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace ledgra::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Creates the files (and their folders) named relative to the folder; a name ending in
    // "/" makes a folder only. Files get the given content.
    void CreateFiles(std::initializer_list<std::string_view> names, std::string_view content = "x");
    // Writes one file with exact bytes and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes);

private:
    std::filesystem::path m_path;
};

// The whole content of a file as bytes ("" when it cannot be read).
std::string ReadBytes(const std::filesystem::path& path);

}  // namespace ledgra::testing
