#include "app/CommandLine.h"

#include "text/ByteString.h"

namespace ledgra {
namespace {

std::string RawLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) line += ' ';
        line += arguments[i];
    }
    return line;
}

// Everything after the first "^", or nothing when the line has none.
bool CaretPath(std::string_view line, std::string& path) {
    const std::size_t caret = line.find('^');
    if (caret == std::string_view::npos) return false;
    path = std::string(line.substr(caret + 1));
    return true;
}

std::string FirstArgumentFrom(const std::vector<std::string>& arguments,
                              const std::filesystem::path& currentFolder) {
    if (arguments.empty() || arguments.front().empty()) return {};
    return (currentFolder / arguments.front()).native();
}

}  // namespace

std::string CollapseDoubledSeparators(std::string_view path) {
    return ReplaceAll(ReplaceAll(path, "\\\\", "\\"), "//", "/");
}

std::string StartPathFromArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& currentFolder) {
    std::string path;
    if (!CaretPath(RawLine(arguments), path)) path = FirstArgumentFrom(arguments, currentFolder);
    return CollapseDoubledSeparators(path);
}

std::string HandOffPathFromArguments(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& currentFolder) {
    std::string path;
    if (!CaretPath(Trim(RawLine(arguments)), path)) {
        path = FirstArgumentFrom(arguments, currentFolder);
    }
    return CollapseDoubledSeparators(path);
}

std::string HandOffFolder(std::string_view path) {
    const std::size_t last = path.rfind('/');
    if (last == std::string_view::npos || last == 0) return {};
    return std::string(path.substr(0, last + 1));
}

void ReceiveHandOff(const std::string& path, HandOffTarget& target) {
    const std::string handedFolder = HandOffFolder(path);
    const std::string folder = target.IsFolderPath(handedFolder) ? handedFolder : std::string("/");
    target.SelectPath(folder, true);
    if (path.empty()) return;
    target.SelectPath(path, false);
    target.ShowDocument(path);
}

}  // namespace ledgra
