#include "render/HtmlText.h"

namespace ledgra {
namespace {

std::string Escape(std::string_view text, bool quotes) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
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
