// The one-pass page fill against the fill placeholder by placeholder: the same page, or the
// same fill stopped at the size limit, for any template and any fills. The input is lines: the
// template ("#N" for the built-in template N in the table of ids, else the line itself), then
// a placeholder and its value, in turn. A placeholder "#N" is slot N of the template's plan,
// so that fills find their places; values may hold any placeholder's text.

#include <charconv>
#include <optional>
#include <string>
#include <utility>

#include "res/EmbeddedTemplates.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/render/FilledBothWays.h"

namespace ledgra::fuzz {
namespace {

// Small enough that the fills placeholder by placeholder stay quick.
constexpr std::size_t kMaxTemplateBytes = 4096;
constexpr std::size_t kMaxValueBytes = 256;
constexpr std::size_t kMaxFills = 64;

std::optional<std::size_t> Number(std::string_view line) {
    std::size_t number = 0;
    const char* end = line.data() + line.size();
    if (line.empty() || line[0] != '#') return std::nullopt;
    const auto [stop, error] = std::from_chars(line.data() + 1, end, number);
    if (error != std::errc() || stop != end) return std::nullopt;
    return number;
}

std::string_view NextLine(std::string_view& input) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    return line;
}

}  // namespace

void FuzzFillPlan(std::string_view input) {
    const std::string_view first = NextLine(input);
    const auto ids = EmbeddedTemplateIds();
    const std::optional<std::size_t> builtIn = Number(first);
    const FillPlan plan(builtIn ? std::string(*EmbeddedTemplate(ids[*builtIn % ids.size()]))
                                : std::string(first.substr(0, kMaxTemplateBytes)));

    testing::Fills fills;
    while (fills.size() < kMaxFills && !input.empty()) {
        std::string placeholder(NextLine(input));
        if (const auto slot = Number(placeholder); slot && plan.ColonCount() > 1) {
            const std::size_t from = plan.Colon(*slot % (plan.ColonCount() - 1));
            const std::size_t to = plan.Colon(*slot % (plan.ColonCount() - 1) + 1);
            placeholder = plan.Page().substr(from, to - from + 1);
        }
        fills.emplace_back(std::move(placeholder), NextLine(input).substr(0, kMaxValueBytes));
    }
    const testing::FilledBothWays filled = testing::FillBothWays(plan, fills);
    FUZZ_CHECK(!filled.stopsDiffer);
    FUZZ_CHECK(filled.planned == filled.sequential);
}

}  // namespace ledgra::fuzz
