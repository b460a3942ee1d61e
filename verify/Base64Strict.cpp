#include "verify/Base64Strict.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace ledgra {
namespace {

constexpr std::int8_t kNotBase64 = -1;

constexpr std::array<std::int8_t, 256> SymbolValues() {
    std::array<std::int8_t, 256> values{};
    values.fill(kNotBase64);
    constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<std::int8_t>(i);
    }
    return values;
}

constexpr std::array<std::int8_t, 256> kSymbolValues = SymbolValues();

}  // namespace

std::string RemoveLineBreaks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    // Lines are long: copied whole, not character by character.
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find_first_of("\r\n"), text.size());
        kept.append(text.substr(0, lineEnd));
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
    }
    return kept;
}

std::optional<std::string> DecodeBase64Strict(std::string_view text) {
    if (text.empty() || text.size() % 4 != 0) return std::nullopt;
    std::size_t padding = 0;
    if (text.ends_with("==")) {
        padding = 2;
    } else if (text.ends_with('=')) {
        padding = 1;
    }
    const std::size_t symbols = text.size() - padding;

    // Every symbol holds 6 bits; the bytes are the whole octets among them.
    std::string bytes(symbols * 6 / 8, '\0');
    char* out = bytes.data();
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < symbols; ++i) {
        std::int8_t value = kSymbolValues[static_cast<unsigned char>(text[i])];
        if (value == kNotBase64) return std::nullopt;  // also a "=" before the end
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            *out++ = static_cast<char>((bits >> bitCount) & 0xFF);
        }
    }
    // What is left over are the unused low bits of the last symbol (2 or 4 with padding).
    if ((bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
    return bytes;
}

}  // namespace ledgra
