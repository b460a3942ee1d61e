#pragma once
// The document files a list of paths names: files as they are, folders walked for the files of
// the document patterns. The command line's checks and the folder ledger read the same set.

#include <filesystem>
#include <string>
#include <vector>

namespace ledgra {

// True when the file name's extension, in any letter case, is one of the document patterns.
bool IsDocumentFile(const std::filesystem::path& path);

struct FoundDocuments {
    // In the order they were named; a folder's documents sorted by path.
    std::vector<std::filesystem::path> documents;
    // A line for each folder that could not be read to its end.
    std::vector<std::string> errors;
};

// Each named path in order: a folder gives its document files (and, with `recursive`, those of
// its sub-folders, never through links to folders); anything else is taken as the document it
// names, and whoever reads it says what is wrong with it.
FoundDocuments FindDocuments(const std::vector<std::filesystem::path>& named, bool recursive);

}  // namespace ledgra
