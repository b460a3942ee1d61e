#include "render/HtmlText.h"

#include <algorithm>

namespace ledgra {
namespace {

bool IsEscaped(char c, bool quotes) {
    return c == '&' || c == '<' || c == '>' || (quotes && (c == '"' || c == '\''));
}

std::string Escape(std::string_view text, bool quotes) {
    // Most texts hold nothing to escape: they are copied whole, and the rest from the first
    // byte that changes.
    const auto first = std::find_if(text.begin(), text.end(),
                                    [quotes](char c) { return IsEscaped(c, quotes); });
    std::string escaped(text.begin(), first);
    if (first == text.end()) return escaped;
    escaped.reserve(text.size() + 16);
    for (char c : text.substr(static_cast<std::size_t>(first - text.begin()))) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += quotes ? "&quot;" : "\"";
                break;
            case '\'':
                escaped += quotes ? "&#39;" : "'";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string EscapeText(std::string_view text) {
    return Escape(text, false);
}

std::string EscapeAttribute(std::string_view text) {
    return Escape(text, true);
}

std::string EscapeUrlPart(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        }
    }
    return escaped;
}

}  // namespace ledgra
