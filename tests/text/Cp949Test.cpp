#include "text/Cp949.h"

#include <gtest/gtest.h>

namespace ledgra {
namespace {

struct Cp949Case {
    const char* name;
    std::string utf8;
    std::string cp949;
};

class Cp949RoundTrip : public ::testing::TestWithParam<Cp949Case> {};

TEST_P(Cp949RoundTrip, ConvertsBothWays) {
    const Cp949Case& c = GetParam();
    EXPECT_EQ(Cp949FromUtf8(c.utf8), c.cp949) << c.name;
    EXPECT_EQ(Utf8FromCp949(c.cp949), c.utf8) << c.name;
    EXPECT_TRUE(IsValidCp949(c.cp949)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Cp949RoundTrip,
    ::testing::Values(Cp949Case{"ascii", "abc 123", "abc 123"},
                      Cp949Case{"ks x 1001 hangul", "가", "\xB0\xA1"},
                      Cp949Case{"extended hangul", "똠", "\x8C\x63"},
                      Cp949Case{"euro sign", "€", "\xA2\xE6"},
                      Cp949Case{"mixed", "상호:A", "\xBB\xF3\xC8\xA3:A"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) if (ch == ' ') ch = '_';
        return name;
    });

TEST(Cp949, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(Cp949FromUtf8("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji
    EXPECT_EQ(Cp949FromUtf8("\xC3\x28"), "?(");                 // malformed UTF-8
}

TEST(Cp949, MalformedBytesBecomeQuestionMarksAndConversionGoesOn) {
    EXPECT_EQ(Utf8FromCp949("\xB0\xA1\xB0"), "가?");  // lead byte cut at the end
    EXPECT_EQ(Utf8FromCp949("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8FromCp949("a\x80" "b"), "a?b");
    EXPECT_FALSE(IsValidCp949("\xB0\xA1\xB0"));
    EXPECT_FALSE(IsValidCp949("\xFF"));
}

TEST(Cp949, LiteralIsConvertedOnceAndKept) {
    const std::string& first = "서명"_cp949;
    EXPECT_EQ(first, "\xBC\xAD\xB8\xED");
    EXPECT_EQ(&first, &"서명"_cp949);
}

TEST(Cp949, LongTextCrossesTheConversionBuffer) {
    std::string utf8;
    for (int i = 0; i < 5000; ++i) utf8 += "가a";
    std::string cp949 = Cp949FromUtf8(utf8);
    EXPECT_EQ(cp949.size(), 15000u);
    EXPECT_EQ(Utf8FromCp949(cp949), utf8);
}

TEST(Cp949, HangulTextsConvertAsIconvDoes) {
    // Every modern syllable, then texts that leave the syllables for other characters or
    // broken sequences; each must read back as written, or convert as the whole text would.
    std::string syllables;
    for (char32_t c = 0xAC00; c <= 0xD7A3; ++c) {
        syllables += static_cast<char>(0xE0 | c >> 12);
        syllables += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        syllables += static_cast<char>(0x80 | (c & 0x3F));
    }
    const std::string cp949 = Cp949FromUtf8(syllables);
    EXPECT_EQ(cp949.size(), 2 * (0xD7A3 - 0xAC00 + 1));
    EXPECT_EQ(Utf8FromCp949(cp949), syllables);
    EXPECT_EQ(Cp949FromUtf8("가€a"), "\xB0\xA1\xA2\xE6" "a");
    EXPECT_EQ(Cp949FromUtf8("가\xEA\xB0"), "\xB0\xA1?");              // cut at the end
    EXPECT_EQ(Cp949FromUtf8("가\xED\xA0\x80" "a"), "\xB0\xA1?a");  // a surrogate
}

}  // namespace
}  // namespace ledgra
