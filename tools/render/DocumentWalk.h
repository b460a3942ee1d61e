#pragma once
// The documents a command line names: files as they are, folders walked for the documents the
// tree lists.

#include <filesystem>
#include <string>
#include <vector>

namespace ledgra {

struct WalkedDocuments {
    // In the order they were named, a folder's documents in path order.
    std::vector<std::filesystem::path> documents;
    // A line for each folder or entry that could not be read.
    std::vector<std::string> errors;
};

// Folders are walked through their subfolders (not through links to folders) for the files of
// the five document patterns, in any letter case.
WalkedDocuments WalkDocuments(const std::vector<std::filesystem::path>& named);

}  // namespace ledgra
