#include "verify/Base64Strict.h"

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
    for (char c : text) {
        if (c != '\r' && c != '\n') kept += c;
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

    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = 0; i < symbols; ++i) {
        std::int8_t value = kSymbolValues[static_cast<unsigned char>(text[i])];
        if (value == kNotBase64) return std::nullopt;  // also a "=" before the end
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes += static_cast<char>((bits >> bitCount) & 0xFF);
        }
    }
    // What is left over are the unused low bits of the last symbol (2 or 4 with padding).
    if ((bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
    return bytes;
}

}  // namespace ledgra
