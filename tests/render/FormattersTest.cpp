#include <gtest/gtest.h>

#include "render/Formatters.h"

namespace ledgra {
namespace {

struct FormatCase {
    const char* text;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class FormatAmountTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatAmountTest, Formats) {
    EXPECT_EQ(FormatAmount(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FormatAmountTest,
    ::testing::Values(FormatCase{"1,234,567.89", "1,234,567"}, FormatCase{"-5000", "-5,000"},
                      FormatCase{"0", "0"}, FormatCase{"1000", "1,000"}, FormatCase{"-100", "-100"},
                      FormatCase{"0.5", "0"}, FormatCase{"5.", "5"}, FormatCase{"1.2.3", "1"},
                      FormatCase{"007", "7"}, FormatCase{"-0", "0"},
                      FormatCase{"-0012345", "-12,345"},
                      // Separators anywhere are dropped before the number is read.
                      FormatCase{"1,2,3,4", "1,234"},
                      // 15 digits make 19 characters; 16 make 21.
                      FormatCase{"999999999999999", "999,999,999,999,999"},
                      FormatCase{"-99999999999999", "-99,999,999,999,999"},
                      FormatCase{"00000000000000000001", "1"}));

INSTANTIATE_TEST_SUITE_P(
    RejectedTexts, FormatAmountTest,
    ::testing::Values(FormatCase{"", ""}, FormatCase{"-", ""}, FormatCase{",", ""},
                      FormatCase{".5", ""}, FormatCase{"-.5", ""}, FormatCase{"+5", ""},
                      FormatCase{" 5", ""}, FormatCase{"5 ", ""}, FormatCase{"--5", ""},
                      FormatCase{"5-", ""}, FormatCase{"1e3", ""}, FormatCase{"abc", ""},
                      FormatCase{"1000000000000000", ""}, FormatCase{"-999999999999999", ""}));

TEST(FormatAmount, NulInsideTheTextIsRejected) {
    EXPECT_EQ(FormatAmount(std::string_view("12\0"
                                            "3",
                                            4)),
              "");
}

class GroupDigitsTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(GroupDigitsTest, Groups) {
    EXPECT_EQ(GroupDigits(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GroupDigitsTest,
    ::testing::Values(FormatCase{"1234567.5", "1,234,567.5"}, FormatCase{"-123", "-,123"},
                      FormatCase{"-12", "-12"}, FormatCase{"1234", "1,234"}, FormatCase{"", ""},
                      FormatCase{"1000.25.5", "1,000.25.5"},
                      // A point in front is no fraction: it is counted like a digit.
                      FormatCase{".5", ".5"}, FormatCase{".1234", ".1,234"},
                      FormatCase{"12 ", "12"}, FormatCase{"  7", "7"},
                      FormatCase{"   1234", ",  1,234"}, FormatCase{"1,234", "1,,234"}));

class BusinessNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(BusinessNumberTest, Cuts) {
    EXPECT_EQ(FormatBusinessNumber(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, BusinessNumberTest,
                         ::testing::Values(FormatCase{"1234567890", "123-45-67890"},
                                           FormatCase{"1234567890123", "123456-7890123"},
                                           // Twelve characters lose characters 6 and 7.
                                           FormatCase{"123456789012", "123-45-89012"},
                                           FormatCase{"123-45-67890", "123--4-67890"},
                                           FormatCase{"", "&nbsp;"},
                                           // Short numbers take only what is there.
                                           FormatCase{"12", "12--12"},
                                           FormatCase{"1234", "123-4-1234"},
                                           FormatCase{"123", "123--123"}));

}  // namespace
}  // namespace ledgra
