#pragma once
// The address scheme the viewer's pages are served under. A page is the html file decoded with
// the viewer's own code page 949 codec, so that the browser engine never decodes it itself;
// the files of the log folder (seal images, attachments) are served beside it, and nothing
// else is.

#include <QUrl>

#include <filesystem>

namespace ledgra {

inline constexpr const char* kPageScheme = "ledgra-page";

// Registers the scheme with the browser engine; must run before the QApplication is made.
void RegisterPageScheme();

// The address of a file: the scheme followed by the file's absolute path, so that the absolute
// file paths a page names (its seal images) resolve to addresses of the same scheme.
QUrl PageUrl(const std::filesystem::path& file);
// The file an address of the scheme names; empty for any other address.
std::filesystem::path PagePathOfUrl(const QUrl& url);

}  // namespace ledgra
