#pragma once
// A page filled both ways, placeholder by placeholder and by its plan, each until a fill passes
// the size limit: what the render tests and the fuzz target fill_plan compare.

#include <string>
#include <utility>
#include <vector>

#include "render/FillPlan.h"
#include "render/PlaceholderFill.h"

namespace ledgra::testing {

using Fills = std::vector<std::pair<std::string, std::string>>;

struct FilledBothWays {
    std::string sequential;
    std::string planned;
    bool onPlan = true;        // the plan made every fill itself
    bool stopsDiffer = false;  // a fill passed the size limit one way only
};

inline FilledBothWays FillBothWays(const FillPlan& plan, const Fills& fills) {
    const auto passesLimit = [](auto fill) {
        try {
            fill();
        } catch (const PageTooLargeError&) {
            return true;
        }
        return false;
    };
    FilledBothWays filled;
    filled.sequential = plan.Page();
    PageFill planned(plan);
    for (const auto& [placeholder, value] : fills) {
        const bool sequentialStopped =
            passesLimit([&] { FillPlaceholder(filled.sequential, placeholder, value); });
        const bool plannedStopped = passesLimit([&] { planned.Fill(placeholder, value); });
        filled.stopsDiffer = plannedStopped != sequentialStopped;
        if (sequentialStopped || plannedStopped) break;
    }
    filled.onPlan = planned.Planned();
    filled.planned = planned.Take();
    return filled;
}

}  // namespace ledgra::testing
