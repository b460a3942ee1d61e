#include "render/Base64.h"

#include <cstdint>


namespace ledgra {
namespace {

// The value of a Base64 symbol, or -1 for every other byte ("=" and line breaks included).
int SymbolValue(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

bool DecodeBase64(const char* data, std::size_t dataLength, unsigned char* output,
                  std::size_t* length) {
    if (data == nullptr || length == nullptr) return false;
    const std::size_t capacity = *length;
    std::size_t decoded = 0;
    std::size_t pos = 0;
    bool inputLeft = true;
    while (inputLeft) {
        // Collect up to four symbols, skipping everything else.
        std::uint32_t group = 0;
        int symbols = 0;
        while (symbols < 4) {
            if (pos >= dataLength || data[pos] == '\0') {
                inputLeft = false;
                break;
            }
            const int value = SymbolValue(data[pos++]);
            if (value < 0) continue;
            group |= static_cast<std::uint32_t>(value) << (18 - 6 * symbols);
            ++symbols;
        }
        // v symbols carry floor(6v / 8) whole bytes, from the high end of the 24-bit group.
        const int bytes = symbols * 6 / 8;
        for (int i = 0; i < bytes; ++i) {
            if (output != nullptr && decoded < capacity) {
                output[decoded] = static_cast<unsigned char>(group >> (16 - 8 * i));
            }
            ++decoded;
        }
    }
    *length = decoded;
    return output == nullptr || decoded <= capacity;
}

std::string DecodeBase64Text(std::string_view text) {
    std::string buffer(text.size(), '\0');
    std::size_t length = buffer.size();
    if (!DecodeBase64(text.data(), text.size(), reinterpret_cast<unsigned char*>(buffer.data()),
                      &length)) {
        return {};
    }
    buffer.resize(length);
    return buffer;
}

}  // namespace ledgra
