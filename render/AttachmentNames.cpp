#include "render/AttachmentNames.h"

#include <algorithm>

#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr char kReplacement = '_';
// Extensions longer than this are not kept whole when a name is shortened.
constexpr std::size_t kMaxExtensionBytes = 20;

// The characters a file name must not carry: they name folders, end a link's address or its
// markup, or are refused by other systems' file systems.
constexpr std::string_view kRefusedAscii = "/\\:*?\"<>|'&#%`";

bool IsRefused(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;  // NUL and the other controls
    if (c < 0x80 && kRefusedAscii.find(static_cast<char>(c)) != std::string_view::npos) {
        return true;
    }
    // Bidi controls, which can make "txt.exe" read as "exe.txt", and invisible formatting.
    return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

// The length of the UTF-8 sequence that begins with this byte (the text is valid UTF-8).
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    return 4;
}

char32_t CodePointAt(std::string_view utf8, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[at + k]); };
    switch (length) {
        case 1:
            return byte(0);
        case 2:
            return (char32_t{byte(0) & 0x1Fu} << 6) | (byte(1) & 0x3Fu);
        case 3:
            return (char32_t{byte(0) & 0x0Fu} << 12) | (char32_t{byte(1) & 0x3Fu} << 6) |
                   (byte(2) & 0x3Fu);
        default:
            return (char32_t{byte(0) & 0x07u} << 18) | (char32_t{byte(1) & 0x3Fu} << 12) |
                   (char32_t{byte(2) & 0x3Fu} << 6) | (byte(3) & 0x3Fu);
    }
}

std::string_view WithoutTrailingSpace(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\n\v\f\r");
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The name in UTF-8 with every refused character replaced, leading dots and runs of dots too.
std::string CleanedUtf8(std::string_view decodedName) {
    // Bytes that are no code page 949 character come back as "?", which is refused in turn.
    const std::string utf8 = Utf8FromCp949(WithoutTrailingSpace(decodedName));
    std::string cleaned;
    cleaned.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        if (IsRefused(CodePointAt(utf8, at, length))) {
            cleaned += kReplacement;
        } else {
            cleaned.append(utf8, at, length);
        }
        at += length;
    }
    const std::size_t firstOther = cleaned.find_first_not_of('.');
    cleaned.replace(0, std::min(firstOther, cleaned.size()), std::min(firstOther, cleaned.size()),
                    kReplacement);
    for (std::size_t dots = cleaned.find(".."); dots != std::string::npos;
         dots = cleaned.find("..", dots)) {
        const std::size_t end = std::min(cleaned.find_first_not_of('.', dots), cleaned.size());
        cleaned.replace(dots, end - dots, end - dots, kReplacement);
    }
    return cleaned;
}

// Cuts the text to at most `bytes` bytes without splitting a character.
std::string_view CutAtCharacter(std::string_view utf8, std::size_t bytes) {
    if (utf8.size() <= bytes) return utf8;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    return utf8.substr(0, end);
}

// "zova_" + the cleaned name with `suffix` before its extension, within the length limit;
// code page 949.
std::string FileName(std::string_view cleaned, std::string_view suffix) {
    std::size_t dot = cleaned.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || cleaned.size() - dot > kMaxExtensionBytes) {
        dot = cleaned.size();
    }
    const std::string_view extension = cleaned.substr(dot);
    const std::size_t budget =
        kMaxAttachmentFileNameBytes - kAttachmentPrefix.size() - suffix.size() - extension.size();
    std::string name(kAttachmentPrefix);
    name += CutAtCharacter(cleaned.substr(0, dot), budget);
    name += suffix;
    name += extension;
    return Cp949FromUtf8(name);
}

}  // namespace

std::string AttachmentFileNames::Claim(std::string_view decodedName) {
    const std::string cleaned = CleanedUtf8(decodedName);
    std::string name = FileName(cleaned, "");
    for (int copy = 2; m_taken.contains(name); ++copy) {
        name = FileName(cleaned, " (" + std::to_string(copy) + ")");
    }
    m_taken.insert(name);
    return name;
}

std::string AttachmentLinkText(std::string_view decodedName) {
    std::string text;
    text.reserve(decodedName.size());
    for (const char c : decodedName) {
        switch (c) {
            case '&':
                text += "&amp;";
                break;
            case '<':
                text += "&lt;";
                break;
            case '>':
                text += "&gt;";
                break;
            case '"':
                text += "&quot;";
                break;
            case '\'':
                text += "&#39;";
                break;
            default:
                // Code page 949 has no two-byte character with a byte under 0x41, so every
                // such byte is a character of its own.
                text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? kReplacement : c;
        }
    }
    return text;
}

}  // namespace ledgra
