#include "text/ByteString.h"

#include <gtest/gtest.h>

namespace ledgra {
namespace {

TEST(ByteString, UpperCasesAsciiOnly) {
    EXPECT_EQ(ToUpperAscii("a.ktx"), "A.KTX");
    EXPECT_EQ(ToUpperAscii("\xB0\xA1z"), "\xB0\xA1Z");
}

TEST(ByteString, TrimsCWhiteSpace) {
    EXPECT_EQ(Trim(" \t\r\n a b \v\f"), "a b");
    EXPECT_EQ(Trim("   "), "");
}

TEST(ByteString, ReplacesWithoutRescanning) {
    EXPECT_EQ(ReplaceAll(":a::a:", ":a:", ":a:x"), ":a:x:a:x");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
}

TEST(ByteString, LeadingIntegerReadsLikeTheCLibrary) {
    EXPECT_EQ(LeadingInteger("  -42abc"), -42);
    EXPECT_EQ(LeadingInteger("1,500"), 1);
    EXPECT_EQ(LeadingInteger("x1"), 0);
    EXPECT_EQ(LeadingInteger("3000000000"), 3000000000);
    EXPECT_EQ(LeadingInteger("99999999999999999999999"), INT64_MAX);
}

}  // namespace
}  // namespace ledgra
