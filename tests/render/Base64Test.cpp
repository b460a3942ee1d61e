#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "render/Base64.h"

namespace ledgra {
namespace {

struct DecodeCase {
    std::string_view text;
    std::string_view expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DecodeBase64Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeBase64Test, DecodesTheSymbols) {
    EXPECT_EQ(DecodeBase64Text(GetParam().text), GetParam().expected);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeBase64Test,
    ::testing::Values(DecodeCase{"YWJj", "abc"}, DecodeCase{"YW Jj", "abc"},
                      DecodeCase{"YW\r\nJj\n", "abc"}, DecodeCase{"YQ==", "a"},
                      DecodeCase{"YWI=", "ab"}, DecodeCase{"Y", ""}, DecodeCase{"", ""},
                      DecodeCase{"=\r\n*", ""}, DecodeCase{"+/+/", "\xFB\xFF\xBF"},
                      // "=" is skipped, not an end: the symbols after it go on.
                      DecodeCase{"YQ==YWJj", "a\x06\x16\x26"}, DecodeCase{"AGEA", "\0a\0"sv},
                      // The text ends at a NUL.
                      DecodeCase{"YWJj\0YWJj"sv, "abc"}));

TEST(DecodeBase64, MissingDataOrLengthFails) {
    std::size_t length = 8;
    unsigned char out[8];
    EXPECT_FALSE(DecodeBase64(nullptr, 4, out, &length));
    EXPECT_FALSE(DecodeBase64("YWJj", 4, out, nullptr));
}

TEST(DecodeBase64, WithoutABufferOnlyMeasures) {
    std::size_t length = 0;
    EXPECT_TRUE(DecodeBase64("YWJjZA==", 8, nullptr, &length));
    EXPECT_EQ(length, 4u);
}

TEST(DecodeBase64, StopsAtTheGivenLength) {
    std::size_t length = 8;
    std::array<unsigned char, 8> out{};
    EXPECT_TRUE(DecodeBase64("YWJjZGVm", 4, out.data(), &length));
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(std::memcmp(out.data(), "abc", 3), 0);
}

TEST(DecodeBase64, OverflowWritesWhatFitsAndReportsTheFullLength) {
    // Guard bytes after the capacity must stay untouched.
    std::array<unsigned char, 8> out;
    out.fill(0xEE);
    std::size_t length = 4;
    EXPECT_FALSE(DecodeBase64("YWJjZGVm", 8, out.data(), &length));
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(std::memcmp(out.data(), "abcd", 4), 0);
    EXPECT_EQ(out[4], 0xEE);
    EXPECT_EQ(out[5], 0xEE);
}

TEST(DecodeBase64, ExactCapacitySucceeds) {
    std::array<unsigned char, 3> out{};
    std::size_t length = out.size();
    EXPECT_TRUE(DecodeBase64("YWJj", 4, out.data(), &length));
    EXPECT_EQ(length, 3u);
}

}  // namespace
}  // namespace ledgra
