#pragma once
// A page filled both ways, placeholder by placeholder and by its plan, each as far as it got
// before a fill passed the size limit. The render tests and the fuzz target fill_plan both
// hold the one-pass fill to the fill it stands for.

#include <cstddef>
#include <optional>
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
    bool onPlan = true;  // the plan made every fill itself
    // The first fill that passed the size limit one way only; the fills stop there.
    std::optional<std::size_t> stopsDiffer;
};

inline FilledBothWays FillBothWays(const FillPlan& plan, const Fills& fills) {
    FilledBothWays filled;
    filled.sequential = plan.Page();
    PageFill planned(plan);
    for (std::size_t i = 0; i < fills.size(); ++i) {
        const auto& [placeholder, value] = fills[i];
        bool sequentialStopped = false;
        bool plannedStopped = false;
        try {
            FillPlaceholder(filled.sequential, placeholder, value);
        } catch (const PageTooLargeError&) {
            sequentialStopped = true;
        }
        try {
            planned.Fill(placeholder, value);
        } catch (const PageTooLargeError&) {
            plannedStopped = true;
        }
        if (plannedStopped != sequentialStopped) filled.stopsDiffer = i;
        if (sequentialStopped || plannedStopped) break;
    }
    filled.onPlan = planned.Planned();
    filled.planned = planned.Take();
    return filled;
}

}  // namespace ledgra::testing
