#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "render/HtmlText.h"
#include "render/InvoiceSums.h"
#include "render/SealCells.h"

namespace ledgra {
namespace {

TEST(HtmlText, EscapesMarkupCharactersAndKeepsEverythingElse) {
    struct Case {
        std::string text;
        std::string asText;
        std::string asAttribute;
        std::string asUrlPart;
    };
    const Case cases[] = {
        {"1234567890", "1234567890", "1234567890", "1234567890"},
        {"</table><img src=x>", "&lt;/table&gt;&lt;img src=x&gt;",
         "&lt;/table&gt;&lt;img src=x&gt;", "%3C%2Ftable%3E%3Cimg%20src%3Dx%3E"},
        {"a&amp;b", "a&amp;amp;b", "a&amp;amp;b", "a%26amp%3Bb"},
        {"it's \"x\"", "it's \"x\"", "it&#39;s &quot;x&quot;", "it%27s%20%22x%22"},
        {"') no-repeat; position:absolute", "') no-repeat; position:absolute",
         "&#39;) no-repeat; position:absolute", "%27%29%20no-repeat%3B%20position%3Aabsolute"},
        // Two-byte characters of code page 949 pass as they are; an address encodes them.
        {"\xB0\xA1-_.~", "\xB0\xA1-_.~", "\xB0\xA1-_.~", "%B0%A1-_.~"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeText(c.text), c.asText) << c.text;
        EXPECT_EQ(EscapeAttribute(c.text), c.asAttribute) << c.text;
        EXPECT_EQ(EscapeUrlPart(c.text), c.asUrlPart) << c.text;
    }
}

TEST(InvoiceSums, AmountsCountAsTheNumberTheyShow) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1500", 1500},
        {"1,500", 1500},
        {"1,234,567.89", 1234567},
        {" -1,500", -1500},
        {"+2,000원", 2000},
        // A separator counts only after a digit; reading stops at any other character.
        {",500", 0},
        {"1, 500", 1},
        {"1,500 2", 1500},
        {"abc", 0},
        {"", 0},
        {"99,999,999,999,999,999,999", std::numeric_limits<std::int64_t>::max()},
    };
    for (const auto& [amount, value] : cases) EXPECT_EQ(AmountValue(amount), value) << amount;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(SaturatingAdd(kMax - 1, 5), kMax);
    EXPECT_EQ(SaturatingAdd(kMin + 1, -5), kMin);
    EXPECT_EQ(SaturatingAdd(kMax, -1), kMax - 1);
    EXPECT_EQ(AddAmount(2'147'483'647, "1"), 2'147'483'648);
}

TEST(SealCell, SealsBeginningWithNulCountAsEmpty) {
    const std::pair<std::string, bool> cases[] = {{"", true},
                                                  {std::string("\0GIF", 4), true},
                                                  {"GIF", false},
                                                  {std::string("G\0", 2), false}};
    for (const auto& [seal, empty] : cases) {
        EXPECT_EQ(SealIsEmpty(seal), empty);
        std::string page = ":공급자인장:";
        SealCell(page, ":공급자인장:", seal, "(인)", "<IMG SRC=':인장2:'>", ":인장2:", "a.gif");
        EXPECT_EQ(page, empty ? "(인)" : "<IMG SRC='a.gif'>");
    }
}

}  // namespace
}  // namespace ledgra
