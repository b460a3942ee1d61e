#pragma once
// The user's documents folder as the desktop's settings name it (the XDG user folders): the one
// place it is asked of Qt, for the window, the tree and ledgra-render.

#include <filesystem>

namespace ledgra {

// The documents folder, not created.
std::filesystem::path DocumentsLocation();

// The documents folder, created when missing: the window and the tree work in it from the start.
std::filesystem::path DocumentsFolder();

}  // namespace ledgra
