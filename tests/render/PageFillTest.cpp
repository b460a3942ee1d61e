#include <gtest/gtest.h>

#include "render/DigitCells.h"
#include "render/PlaceholderFill.h"
#include "render/SealCells.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

struct FillCase {
    const char* page;
    const char* placeholder;
    const char* value;
    const char* expected;
};

class FillPlaceholderTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillPlaceholderTest, ReplacesEveryOccurrenceOnce) {
    const FillCase& c = GetParam();
    std::string page = c.page;
    FillPlaceholder(page, c.placeholder, c.value);
    EXPECT_EQ(page, c.expected) << "page " << c.page << ", placeholder " << c.placeholder;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillPlaceholderTest,
    ::testing::Values(
        FillCase{"<td>:A:</td><td>:A:</td>:A:", ":A:", "x", "<td>x</td><td>x</td>x"},
        FillCase{":A:", ":A:", "", ""}, FillCase{"<td>:B:</td>", ":A:", "x", "<td>:B:</td>"},
        // Inserted text is not scanned again, even when it holds the placeholder itself.
        FillCase{":A:-:A:", ":A:", "<:A:>", "<:A:>-<:A:>"},
        // After a hit the search goes on behind it: ":A:A:" holds one ":A:" and a rest "A:".
        FillCase{":A:A:", ":A:", "1", "1A:"},
        // The closing colon keeps cell 1 from matching inside cell 11.
        FillCase{":c1:|:c11:", ":c1:", "9", "9|:c11:"}, FillCase{"abc", "", "x", "abc"}));

TEST(FillPlaceholder, ValueHoldingAPlaceholderIsReplacedByALaterFill) {
    std::string page = "<td>:memo:</td><td>:name:</td>";
    FillPlaceholder(page, ":memo:", "see :name:");
    EXPECT_EQ(page, "<td>see :name:</td><td>:name:</td>");
    FillPlaceholder(page, ":name:", "Kim");
    EXPECT_EQ(page, "<td>see Kim</td><td>Kim</td>");
}

std::string SupplyCells(int count) {
    std::string page;
    for (int k = 1; k <= count; ++k) page += "[:공" + std::to_string(k) + ":]";
    return Cp949FromUtf8(page);
}

struct DigitCase {
    const char* amount;
    int cells;
    const char* expected;
};

class DigitCellsTest : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitCellsTest, PlacesTheAmountRightAligned) {
    const DigitCase& c = GetParam();
    std::string page = SupplyCells(c.cells);
    DigitCells(page, ":공"_cp949, c.amount, c.cells);
    EXPECT_EQ(page, c.expected) << "amount " << c.amount;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DigitCellsTest,
    ::testing::Values(DigitCase{"1234567", 12,
                                "[&nbsp;][&nbsp;][&nbsp;][&nbsp;][&nbsp;][1][2][3][4][5][6][7]"},
                      DigitCase{"", 3, "[&nbsp;][&nbsp;][&nbsp;]"},
                      DigitCase{"123", 3, "[1][2][3]"},
                      // A longer amount shows its last cells' worth of characters.
                      DigitCase{"9876543", 4, "[6][5][4][3]"},
                      // Used as read: a separator or sign takes a cell of its own.
                      DigitCase{"-1,000", 7, "[&nbsp;][-][1][,][0][0][0]"}));

TEST(DigitCells, LeavesOtherPrefixesAndExtraCellsAlone) {
    std::string page = "[:공1:][:공2:][:공3:][:세1:]"_cp949;
    DigitCells(page, ":공"_cp949, "7", 2);
    EXPECT_EQ(page, "[&nbsp;][7][:공3:][:세1:]"_cp949);
}

TEST(SealCell, EmptySealGetsTheTextSeal) {
    std::string page = "<td>:공급자인장:</td>"_cp949;
    SealCell(page, ":공급자인장:"_cp949, "", TextSealBox(), SupplierSealTag(), ":인장2:"_cp949,
             "/logs/zova_supplier.gif");
    EXPECT_EQ(page,
              "<td><table HEIGHT=50 WIDTH=51 BORDER=0 ><tr><td>(인)</td></tr></table></td>"_cp949);
}

TEST(SealCell, SealDataGetsTheImageTagWithThePath) {
    std::string page = "<td>:공급받는자인장:</td>"_cp949;
    SealCell(page, ":공급받는자인장:"_cp949, "GIF89a", SealMark(), BuyerSealTag(), ":인장1:"_cp949,
             "/logs/zova_buyer.gif");
    EXPECT_EQ(page,
              "<td><IMG SRC='/logs/zova_buyer.gif' HEIGHT=32 WIDTH=32 BORDER=0 ALT='' "
              "style='filter:alpha(opacity=90%)'></td>"_cp949);
}

}  // namespace
}  // namespace ledgra
