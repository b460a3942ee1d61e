#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "render/FillPlan.h"
#include "render/PlaceholderFill.h"

namespace ledgra {
namespace {

using Fills = std::vector<std::pair<std::string, std::string>>;

// The page both ways, each as far as it got before a fill passed the size limit, and whether
// the plan told every fill itself (the fuzz target fill_plan goes through the built-in ones).
void ExpectSameFill(const std::string& page, const Fills& fills, bool onPlan) {
    std::string sequential = page;
    const FillPlan plan(page);
    PageFill planned(plan);
    for (const auto& [placeholder, value] : fills) {
        bool sequentialStopped = false;
        bool plannedStopped = false;
        try {
            FillPlaceholder(sequential, placeholder, value);
        } catch (const PageTooLargeError&) {
            sequentialStopped = true;
        }
        try {
            planned.Fill(placeholder, value);
        } catch (const PageTooLargeError&) {
            plannedStopped = true;
        }
        ASSERT_EQ(plannedStopped, sequentialStopped) << placeholder;
        if (sequentialStopped) break;
    }
    EXPECT_EQ(planned.Planned(), onPlan);
    EXPECT_EQ(planned.Take(), sequential);
}

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
        ExpectSameFill(c.page, c.fills, c.onPlan);
    }
}

}  // namespace
}  // namespace ledgra
