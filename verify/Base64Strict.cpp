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
    // Lines are long: each is found with one search and copied whole.
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
        for (std::size_t cr; (cr = line.find('\r')) != std::string_view::npos;) {
            kept.append(line.substr(0, cr));
            line.remove_prefix(cr + 1);
        }
        kept.append(line);
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

    // Four symbols hold three bytes; a last group of two or three symbols holds one or two.
    std::string bytes(symbols * 6 / 8, '\0');
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    const auto value = [](unsigned char symbol) {
        // Negative for a byte outside the alphabet, also a "=" before the end.
        return static_cast<std::int32_t>(kSymbolValues[symbol]);
    };
    const std::size_t whole = symbols / 4 * 4;
    for (std::size_t i = 0; i < whole; i += 4) {
        const std::int32_t a = value(in[i]);
        const std::int32_t b = value(in[i + 1]);
        const std::int32_t c = value(in[i + 2]);
        const std::int32_t d = value(in[i + 3]);
        if ((a | b | c | d) < 0) return std::nullopt;
        const auto group = static_cast<std::uint32_t>(a << 18 | b << 12 | c << 6 | d);
        *out++ = static_cast<unsigned char>(group >> 16);
        *out++ = static_cast<unsigned char>(group >> 8);
        *out++ = static_cast<unsigned char>(group);
    }
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (std::size_t i = whole; i < symbols; ++i) {
        const std::int32_t symbol = value(in[i]);
        if (symbol < 0) return std::nullopt;
        bits = bits << 6 | static_cast<std::uint32_t>(symbol);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            *out++ = static_cast<unsigned char>(bits >> bitCount);
        }
    }
    // What is left over are the unused low bits of the last symbol (2 or 4 with padding).
    if ((bits & ((1u << bitCount) - 1)) != 0) return std::nullopt;
    return bytes;
}

}  // namespace ledgra
