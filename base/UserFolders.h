#pragma once
// The user's folders as the desktop names them (the XDG base folders and
// ~/.config/user-dirs.dirs), found the way Qt finds them so that the window, the tree and
// ledgra-render agree, without ledgra-render loading Qt for it.

#include <filesystem>

namespace ledgra {

// $HOME without a trailing separator; "/" when it is not set.
std::filesystem::path HomeFolder();

// Where programs keep their settings: $XDG_CONFIG_HOME, else ~/.config.
std::filesystem::path ConfigLocation();

// The documents folder, not created: XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents.
std::filesystem::path DocumentsLocation();

// The documents folder, created when missing: the window and the tree work in it from the start.
std::filesystem::path DocumentsFolder();

}  // namespace ledgra
