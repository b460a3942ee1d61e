#pragma once
// The document path a start of the program is given, and what the running instance does with
// a path handed to it by a second start. Paths are native byte strings ("/" separated).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra {

// Replaces every pair of consecutive separators ("\\" or "//") by one, left to right.
std::string CollapseDoubledSeparators(std::string_view path);

// The document a first start shows, from its arguments (program name excluded). The raw line
// is the arguments joined by single blanks; with a "^" in it the path is everything after the
// first "^", verbatim. Otherwise the first argument is the path as given, a relative one taken
// from `currentFolder`. Empty without arguments.
std::string StartPathFromArguments(const std::vector<std::string>& arguments,
                                   const std::filesystem::path& currentFolder);

// The path a second start hands to the running instance: the raw line trimmed, then
// everything after its first "^"; without a "^" the first argument made absolute against
// `currentFolder` (the running instance works in another folder). Empty without arguments.
std::string HandOffPathFromArguments(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& currentFolder);

// The folder of a handed-off path: up to and including its last separator when that stands
// after the first character, otherwise empty.
std::string HandOffFolder(std::string_view path);

// What the running instance's window offers to the hand-off.
class HandOffTarget {
public:
    virtual ~HandOffTarget() = default;
    virtual bool IsFolderPath(const std::string& path) = 0;
    virtual void SelectPath(const std::string& path, bool expand) = 0;
    virtual void ShowDocument(const std::string& path) = 0;
};

// The running instance receives a path: it opens the path's folder in the tree (the root "/"
// when that is no existing folder) and, for a non-empty path, selects and shows the document.
void ReceiveHandOff(const std::string& path, HandOffTarget& target);

}  // namespace ledgra
