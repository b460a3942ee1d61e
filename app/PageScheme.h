#pragma once
// The address scheme the viewer's pages are served under. A page is the html file decoded with
// the viewer's own code page 949 codec, so that the browser engine never decodes it itself;
// the files of the log folder (seal images, attachments) are served beside it, and nothing
// else is.

#include <QUrl>

#include <cstdint>
#include <filesystem>

namespace ledgra {

inline constexpr const char* kPageScheme = "ledgra-page";

// Registers the scheme with the browser engine; must run before the QApplication is made.
void RegisterPageScheme();

// The number of a new load of a page, never the same twice in the program's life.
std::uint64_t NextPageLoad();

// The address of a file for one load: "ledgra-page://load-<n>" followed by the file's absolute
// path, so that the absolute file paths a page names (its seal images) resolve to addresses of
// the same load. The engine keeps the images it has shown by address, and the seal of every
// invoice has the same file name: an address of its own for each load keeps the seal of an
// earlier document off the page.
QUrl PageUrl(const std::filesystem::path& file, std::uint64_t load);
// The file an address of the scheme names, whatever its load; empty for any other address.
std::filesystem::path PagePathOfUrl(const QUrl& url);
// The file of the log folder an address names that a page made of the folder's path as plain
// text, as the seal image tags do; empty when the address names no file there. The engine read
// that text as an address: a "#" or "?" in a folder's name began the fragment or the query,
// and "%41" or "%2F" in it were taken as escapes. The address is mapped back by comparing it
// with the folder's path, both decoded alike.
std::filesystem::path LogFolderFileOfUrl(const QUrl& url, const std::filesystem::path& logFolder);

}  // namespace ledgra
