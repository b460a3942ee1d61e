#include "text/Cp949.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace ledgra {
namespace {

// One converter per direction and thread: iconv descriptors are not thread-safe and opening
// one costs far more than a typical conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input; `skipBad` tells how many bytes an undecodable sequence spans.
    // `badCount`, when given, receives the number of sequences that became "?".
    template <typename SkipBad>
    std::string Convert(std::string_view input, SkipBad skipBad, size_t* badCount = nullptr) {
        std::string out;
        out.reserve(input.size() * 3 / 2 + 8);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ (malformed or unmappable) or EINVAL (cut sequence at the end).
            out.push_back('?');
            if (badCount) ++*badCount;
            size_t skip = errno == EINVAL ? inLeft : std::min(inLeft, skipBad(in, inLeft));
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        return out;
    }

private:
    iconv_t m_cd;
};

// Length of the UTF-8 sequence that starts with a lead byte; 1 for a stray byte.
size_t Utf8SequenceLength(const char* p, size_t left) {
    auto lead = static_cast<unsigned char>(p[0]);
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
    if (lead >= 0xF5) length = 1;
    for (size_t i = 1; i < length; ++i) {
        if (i >= left || (static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
    }
    return length;
}

// Texts of ASCII and modern Hangul syllables (U+AC00 to U+D7A3, each a two-byte character of
// code page 949) are most of what documents hold. They are converted a character at a time
// from what iconv gave for each syllable the first time this thread met it, which spares a
// call into iconv per text. False, with `out` unspecified, for a text with anything else.
bool ConvertHangulText(std::string_view utf8, Converter& converter, std::string& out) {
    constexpr char32_t kFirstSyllable = 0xAC00;
    constexpr char32_t kLastSyllable = 0xD7A3;
    // Both bytes of each syllable met so far; 0 where not yet asked (no code is 0). Made on a
    // thread's first text, so that threads that never convert carry none of it.
    using Codes = std::array<std::uint16_t, kLastSyllable - kFirstSyllable + 1>;
    thread_local const std::unique_ptr<Codes> made = std::make_unique<Codes>();
    Codes& codes = *made;
    // No character grows: ASCII stays one byte, a syllable of three becomes two.
    out.resize(utf8.size());
    char* written = out.data();
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            *written++ = static_cast<char>(lead);
            ++i;
            continue;
        }
        if (lead < 0xEA || lead > 0xED || utf8.size() - i < 3) return false;
        const auto second = static_cast<unsigned char>(utf8[i + 1]);
        const auto third = static_cast<unsigned char>(utf8[i + 2]);
        if ((second & 0xC0) != 0x80 || (third & 0xC0) != 0x80) return false;
        const char32_t c = (char32_t{lead} & 0x0F) << 12 | (char32_t{second} & 0x3F) << 6 |
                           (char32_t{third} & 0x3F);
        if (c < kFirstSyllable || c > kLastSyllable) return false;
        std::uint16_t& code = codes[c - kFirstSyllable];
        if (code == 0) {
            const std::string one = converter.Convert(utf8.substr(i, 3), Utf8SequenceLength);
            if (one.size() != 2) return false;
            code = static_cast<std::uint16_t>(static_cast<unsigned char>(one[0]) << 8 |
                                              static_cast<unsigned char>(one[1]));
        }
        *written++ = static_cast<char>(code >> 8);
        *written++ = static_cast<char>(code & 0xFF);
        i += 3;
    }
    out.resize(static_cast<std::size_t>(written - out.data()));
    return true;
}

}  // namespace

std::string Cp949FromUtf8(std::string_view utf8) {
    thread_local Converter converter("CP949", "UTF-8");
    std::string converted;
    if (ConvertHangulText(utf8, converter, converted)) return converted;
    return converter.Convert(utf8, Utf8SequenceLength);
}

std::string Utf8FromCp949(std::string_view cp949) {
    thread_local Converter converter("UTF-8", "CP949");
    // A bad lead byte or a lead byte with a bad trail byte: drop only the lead byte, so that a
    // trail byte that is itself a character is read again.
    return converter.Convert(cp949, [](const char*, size_t) { return size_t{1}; });
}

bool IsValidCp949(std::string_view cp949) {
    thread_local Converter converter("UTF-8", "CP949");
    size_t bad = 0;
    converter.Convert(
        cp949, [](const char*, size_t) { return size_t{1}; }, &bad);
    return bad == 0;
}

}  // namespace ledgra
