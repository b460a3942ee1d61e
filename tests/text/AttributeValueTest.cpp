#include "text/AttributeValue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ledgra {
namespace {

TEST(AttributeValue, TakesTheTextBetweenTheFirstTwoQuotesAfterTheKey) {
    struct Case {
        std::string text;
        std::string key;
        std::size_t start;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {R"(<file name="a.txt" data="xyz"/>)", "name=", 0, "a.txt"},
        {R"(<file name="a.txt" data="xyz"/>)", "data=", 0, "xyz"},
        {R"(name="first" name="second")", "name=", 1, "second"},
        {R"(name="" data="x")", "name=", 0, ""},
        // The quotes need not follow the key directly.
        {R"(name= x "value" "next")", "name=", 0, "value"},
        {R"(data="x")", "name=", 0, ""},
        {R"(name="unterminated)", "name=", 0, ""},
        {R"(name=)", "name=", 0, ""},
        {R"(name="x")", "name=", 100, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AttributeValue(c.text, c.key, c.start), c.expected)
            << c.text << " key " << c.key << " from " << c.start;
    }
}

}  // namespace
}  // namespace ledgra
