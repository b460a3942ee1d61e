#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/FilledBothWays.h"

namespace ledgra::testing {
namespace {

TEST(FillPlan, FillsAsPlaceholderByPlaceholderDoes) {
    const std::string huge(kMaxPageBytes / 2 + 1, 'x');
    struct Case {
        const char* what;
        std::string page;
        Fills fills;
        bool onPlan;
    };
    const std::vector<Case> cases{
        {"every occurrence", "<a>:n:</a>:n::m:", {{":n:", "1"}, {":m:", ""}, {":no:", "x"}}, true},
        {"a slot after a colon of markup", "style='a:b':n:", {{":n:", "v"}, {":b':", "w"}}, true},
        {"of neighbours of one name only every other", ":a:a:a:a:", {{":a:", "V"}}, true},
        {"a colon taken by the neighbour's fill", ":a:b:", {{":b:", "V"}, {":a:", "W"}}, true},
        {"an empty placeholder, an empty name", "x::y:", {{"", "V"}, {"::", "E"}}, true},
        {"a value holding a later placeholder", ":a:|:b:", {{":a:", ":b:"}, {":b:", "B"}}, false},
        {"a value's colon joining a slot", ":a:b:c:", {{":a:", "x:"}, {":b:", "y"}}, false},
        {"a match across a value", "x:1:2:3:y", {{":2:", "Z"}, {":1Z3:", "W"}}, false},
        {"a span as long as the name", "x:1:2:3:y", {{":2:", "Z"}, {":1Y3:", "W"}}, true},
        {"a placeholder without colons", "':IMG:'", {{"IMG", "1"}, {":'", "2"}}, false},
        {"a placeholder of two names", ":a:b:", {{":a:b:", "V"}}, false},
        {"past the limit", ":b:|:a:-:a:", {{":b:", "1"}, {":a:", huge}}, true},
        {"past the limit off the plan", "x:1:2:3:y:a::a:", {{":2:", "Z"}, {":1Z3:", ""},
                                                            {":a:", huge}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FillPlan plan(c.page);
        const FilledBothWays filled = FillBothWays(plan, c.fills);
        EXPECT_FALSE(filled.stopsDiffer);
        EXPECT_EQ(filled.onPlan, c.onPlan);
        EXPECT_EQ(filled.planned, filled.sequential);
    }
}

}  // namespace
}  // namespace ledgra::testing
