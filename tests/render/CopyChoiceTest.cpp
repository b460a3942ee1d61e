#include <gtest/gtest.h>

#include "render/CopyChoice.h"
#include "settings/StoredSettings.h"

namespace ledgra {
namespace {

constexpr int kMatching = 141;
constexpr int kOther = 140;

struct CopyCase {
    const char* name;
    const char* id1;
    const char* id2;
    const char* id3;
    const char* supplier;
    int showOther;
    int lastCopyBefore;
    std::optional<int> expected;
    int lastCopyAfter;
};

// The template chosen, if any; the copy the next choice starts from is recorded in `request`.
std::optional<int> Choose(std::string_view supplier, CopyRequest& request, const Profile& profile) {
    const std::optional<ChosenCopy> chosen =
        ChooseCopy(supplier, request, profile, kMatching, kOther);
    if (!chosen) return std::nullopt;
    request.lastCopy = chosen->copy;
    return chosen->templateId;
}

void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.name;
}

class ChooseCopyTest : public ::testing::TestWithParam<CopyCase> {};

TEST_P(ChooseCopyTest, ChoosesAndRecords) {
    const CopyCase& c = GetParam();
    MemoryProfile profile;
    StoredSettings(profile).StoreConfirmed("", c.id1, c.id2, c.id3);
    CopyRequest request{.otherCopy = c.showOther != 0, .lastCopy = c.lastCopyBefore};
    EXPECT_EQ(Choose(c.supplier, request, profile), c.expected);
    EXPECT_EQ(request.lastCopy, c.lastCopyAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseCopyTest,
    ::testing::Values(
        CopyCase{"own number", "123", "45", "67890", "1234567890", 0, 0, kMatching, 1},
        CopyCase{"other number", "123", "45", "67890", "9999999999", 0, 2, kOther, 2},
        // Two whole numbers stored: twenty characters never equal a ten-digit supplier.
        CopyCase{"twenty characters", "1234567890", "1234567890", "", "1234567890", 0, 0, kOther,
                 2},
        CopyCase{"dashes", "123", "45", "67890", "123-45-67890", 0, 0, kOther, 2},
        CopyCase{"case counts", "abc", "", "", "ABC", 0, 0, kOther, 2},
        // Nothing stored and no number on the document: both empty, so they are equal.
        CopyCase{"both empty", "", "", "", "", 0, 0, kMatching, 1},
        CopyCase{"other after matching", "123", "45", "67890", "1234567890", 1, 1, kOther, 2},
        CopyCase{"other after other", "123", "45", "67890", "1234567890", 1, 2, kMatching, 1},
        CopyCase{"other before any page", "123", "45", "67890", "1234567890", 1, 0, std::nullopt,
                 0}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ') ch = '_';
        }
        return name;
    });

TEST(ChooseCopy, ShowingTheOtherCopyTwiceAlternates) {
    MemoryProfile profile;
    StoredSettings(profile).StoreConfirmed("", "123", "45", "67890");
    CopyRequest request;
    EXPECT_EQ(Choose("1234567890", request, profile), kMatching);
    request.otherCopy = true;
    EXPECT_EQ(Choose("1234567890", request, profile), kOther);
    EXPECT_EQ(Choose("1234567890", request, profile), kMatching);
    EXPECT_EQ(Choose("1234567890", request, profile), kOther);
}

}  // namespace
}  // namespace ledgra
