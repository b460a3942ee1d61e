#include "base/UserFolders.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "base/FileAccess.h"

namespace ledgra {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The path with "." and ".." parts and doubled or trailing separators taken out, as Qt cleans
// the home folder.
std::string CleanPath(const std::string& path) {
    std::string cleaned = std::filesystem::path(path).lexically_normal().native();
    while (cleaned.size() > 1 && cleaned.ends_with('/')) cleaned.pop_back();
    return cleaned;
}

// The value of XDG_<key>_DIR in user-dirs.dirs (the last line naming it wins), with $HOME
// expanded and the quotes and a trailing separator taken off; nothing when no line names it.
std::optional<std::string> UserDirectory(std::string_view key) {
    const std::optional<std::string> text =
        ReadRegularFile(ConfigLocation() / "user-dirs.dirs", std::size_t{1} << 20);
    if (!text) return std::nullopt;
    std::optional<std::string> result;
    std::string_view rest = *text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        // XDG_<key>_DIR=<value>, where the key runs to the line's last "_DIR=".
        constexpr std::string_view kPrefix = "XDG_", kSuffix = "_DIR=";
        const std::size_t suffix = line.rfind(kSuffix);
        if (!line.starts_with(kPrefix) || suffix == std::string_view::npos ||
            suffix < kPrefix.size() ||
            line.substr(kPrefix.size(), suffix - kPrefix.size()) != key) {
            continue;
        }
        std::string_view value = line.substr(suffix + kSuffix.size());
        if (value.size() > 2 && value.starts_with('"') && value.ends_with('"')) {
            value = value.substr(1, value.size() - 2);
        }
        std::string folder = value.starts_with("$HOME")
                                 ? HomeFolder().native() + std::string(value.substr(5))
                                 : std::string(value);
        if (folder.size() > 1 && folder.ends_with('/')) folder.pop_back();
        result = std::move(folder);
    }
    return result;
}

}  // namespace

std::filesystem::path HomeFolder() {
    const std::string home = Environment("HOME");
    return CleanPath(home.empty() ? "/" : home);
}

std::filesystem::path ConfigLocation() {
    const std::string configHome = Environment("XDG_CONFIG_HOME");
    return configHome.empty() ? HomeFolder() / ".config" : std::filesystem::path(configHome);
}

std::filesystem::path DocumentsLocation() {
    if (std::optional<std::string> folder = UserDirectory("DOCUMENTS")) return *folder;
    return HomeFolder() / "Documents";
}

std::filesystem::path DocumentsFolder() {
    std::filesystem::path documents = DocumentsLocation();
    std::error_code ignored;
    std::filesystem::create_directories(documents, ignored);
    return documents;
}

}  // namespace ledgra
