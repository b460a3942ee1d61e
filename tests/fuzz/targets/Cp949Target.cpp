// The code page 949 codec both ways, with its round trip: every valid code page 949 text comes
// back byte for byte through UTF-8, and both directions always give well-formed output.

#include <string>

#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "text/Cp949.h"

namespace ledgra::fuzz {
namespace {

// Well-formed UTF-8 (shortest forms, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        unsigned char low = 0x80, high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto trail = static_cast<unsigned char>(text[i + k]);
            const unsigned char min = k == 1 ? low : 0x80;
            const unsigned char max = k == 1 ? high : 0xBF;
            if (trail < min || trail > max) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

void FuzzCp949(std::string_view input) {
    // Input read as code page 949.
    const std::string utf8 = Utf8FromCp949(input);
    FUZZ_CHECK(IsValidUtf8(utf8));
    if (IsValidCp949(input)) FUZZ_CHECK(Cp949FromUtf8(utf8) == input);

    // Input read as UTF-8: what comes out is code page 949 (with "?" for what it cannot hold),
    // and that text survives the round trip.
    const std::string cp949 = Cp949FromUtf8(input);
    FUZZ_CHECK(IsValidCp949(cp949));
    FUZZ_CHECK(Cp949FromUtf8(Utf8FromCp949(cp949)) == cp949);
    if (IsValidUtf8(input)) FUZZ_CHECK(IsValidUtf8(Utf8FromCp949(cp949)));
}

}  // namespace ledgra::fuzz
