#pragma once
// The documents a ledger lists: the files named, and the files of the five document patterns
// in the folders named.

#include <filesystem>
#include <vector>

namespace ledgra {

// True for "*.KTX", "*.KCX", "*.TSN", "*.CQS" and "*.XML", compared in upper case on the whole
// text after the last ".", as the tree lists files.
bool IsDocumentFile(const std::filesystem::path& path);

// Each argument in order: a folder gives its document files (and, with `recursive`, those of
// its sub-folders, without following links to folders), sorted by path; anything else is
// taken as the document it names. Folders that cannot be read are passed over.
std::vector<std::filesystem::path> LedgerDocuments(
    const std::vector<std::filesystem::path>& arguments, bool recursive);

}  // namespace ledgra
