#include <gtest/gtest.h>

#include <string>

#include "render/PlaceholderFill.h"

namespace ledgra {
namespace {

std::string Repeated(std::string_view text, std::size_t times) {
    std::string repeated;
    for (std::size_t k = 0; k < times; ++k) repeated += text;
    return repeated;
}

std::string Field(int k) {
    return ":f" + std::to_string(k) + ":";
}

// Ten fields, each of which names the next one eight times: the page would reach 8^10
// placeholders, gigabytes from a document of a few kilobytes.
TEST(FillPlaceholder, AChainOfTenFieldsStopsAtTheSizeLimit) {
    std::string page = "<td>" + Field(1) + "</td>";
    int filled = 0;
    try {
        for (int k = 1; k <= 10; ++k) {
            FillPlaceholder(page, Field(k), Repeated(Field(k + 1), 8));
            ++filled;
        }
        FAIL() << "the page grew to " << page.size() << " bytes";
    } catch (const PageTooLargeError&) {
    }
    // The fill that stopped left the page as the last one that fitted made it.
    EXPECT_EQ(page, "<td>" + Repeated(Field(filled + 1), std::size_t{1} << (3 * filled)) + "</td>");
    EXPECT_LE(page.size(), kMaxPageBytes);
    EXPECT_GE(filled, 6);
}

TEST(FillPlaceholder, AStoppedFillIsALengthError) {
    std::string page = ":a::a:";
    EXPECT_THROW(FillPlaceholder(page, ":a:", std::string(kMaxPageBytes / 2 + 1, 'x')),
                 std::length_error);
    EXPECT_EQ(page, ":a::a:");
}

TEST(FillPlaceholder, APageMayGrowToExactlyTheLimit) {
    struct Case {
        std::size_t valueBytes;
        bool fits;
    };
    // One placeholder in a page of 10 bytes: the value may take the limit less the 7 bytes of
    // page around it.
    const std::string around = "<p>:v:</p>";
    const std::size_t room = kMaxPageBytes - (around.size() - 3);
    for (const Case& c : {Case{room, true}, Case{room + 1, false}}) {
        std::string page = around;
        if (c.fits) {
            FillPlaceholder(page, ":v:", std::string(c.valueBytes, 'x'));
            EXPECT_EQ(page.size(), kMaxPageBytes);
        } else {
            EXPECT_THROW(FillPlaceholder(page, ":v:", std::string(c.valueBytes, 'x')),
                         PageTooLargeError);
        }
    }
}

// A page already past the limit (a large template) can still be filled where it does not grow.
TEST(FillPlaceholder, FillsThatDoNotGrowThePageAlwaysGoOn) {
    std::string page = std::string(kMaxPageBytes, ' ') + ":name::name:";
    FillPlaceholder(page, ":name:", "Kim");
    EXPECT_TRUE(page.ends_with("KimKim"));
    EXPECT_THROW(FillPlaceholder(page, "Kim", "Kimberly"), PageTooLargeError);
}

}  // namespace
}  // namespace ledgra
