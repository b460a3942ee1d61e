#pragma once
// Contract attachments carry their own names, and a document of unknown origin may name them
// anything: "../../.bashrc", "/etc/passwd", a name with line breaks or quotes. Each attachment
// becomes one file directly inside the log folder, under a name that is safe as a file name
// and inside the page's link markup. All names are code page 949 byte strings.

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

namespace ledgra {

// Every attachment file's name begins with this.
inline constexpr std::string_view kAttachmentPrefix = "zova_";

// File names stay well under the file system's 255 bytes (counted in UTF-8, as on disk).
inline constexpr std::size_t kMaxAttachmentFileNameBytes = 200;

// Hands out the file names of one contract's attachments: "zova_" followed by the cleaned
// name, and when that was already handed out, the same with " (2)", " (3)" ... before its
// extension, so that no attachment overwrites another of the same contract.
//
// Cleaning: white space at the end goes (as trimming the whole path did); path separators,
// NUL and the other control characters, bidi controls, the characters that would end a link's
// address or markup (' " < > & # ? % `) and those other systems refuse in names (: * |)
// become "_", as do leading dots and every run of two or more dots; a name too long for the
// file system is shortened, keeping its extension. The result is valid code page 949 and
// names no folder.
class AttachmentFileNames {
public:
    std::string Claim(std::string_view decodedName);

private:
    std::set<std::string> m_taken;
};

// The name as the link shows it: the document's own name, with markup characters written as
// entities and control characters as "_", so that it cannot leave the link's text.
std::string AttachmentLinkText(std::string_view decodedName);

}  // namespace ledgra
