#pragma once
// Conversions between code page 949 byte strings and UTF-8.
//
// The documents, page templates and messages of the viewer are code page 949 (EUC-KR with the
// Unified Hangul Code extension) byte strings. Conversions use glibc iconv's "CP949", which is
// Microsoft's code page (ICU's and Qt's converters of that name are IBM's variant and differ).
// A character that the target cannot represent becomes "?", as the Windows ANSI conversion
// did; malformed input bytes become "?" too, and conversion always goes on to the end.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace ledgra {

std::string Cp949FromUtf8(std::string_view utf8);
std::string Utf8FromCp949(std::string_view cp949);

// True when every byte sequence of the text is a valid code page 949 character.
bool IsValidCp949(std::string_view cp949);

// A UTF-8 string literal usable as a template argument (see operator""_cp949).
template <std::size_t N>
struct Utf8Literal {
    char data[N];
    constexpr Utf8Literal(const char (&text)[N]) { std::copy_n(text, N, data); }
    constexpr std::string_view view() const { return {data, N - 1}; }
};

// "서명검증이 실패했습니다."_cp949 is the code page 949 form of a UTF-8 source literal,
// converted once on first use and kept for the life of the program.
template <Utf8Literal Text>
const std::string& operator""_cp949() {
    static const std::string converted = Cp949FromUtf8(Text.view());
    return converted;
}

}  // namespace ledgra
