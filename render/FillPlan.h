#pragma once
// Filling a built-in page template in one pass. A template is compiled once into a plan: its
// colons and the slot between each two neighbouring ones (a placeholder ":name:" can only
// stand between two neighbouring colons). A PageFill takes the fills in the renderers' order,
// keeps which slots got which value, and writes the page once at the end. The page is byte
// for byte the page FillPlaceholder would have made fill after fill; where that cannot be
// shown from the slots alone (a placeholder of another form, a value with a colon that a later
// fill could match, a match across a value), it goes on placeholder by placeholder.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra {

// A colon of a template as a page being filled has it.
struct FillColon {
    std::uint32_t previous;  // the neighbouring colons still in the page, kNoColon at the ends
    std::uint32_t next;
    std::size_t textAfter;    // bytes up to the next colon still in the page (or the end)
    std::int32_t value = -1;  // the value of the slot it opens, once filled
    bool gone = false;        // taken by a filled slot
    bool spansValue = false;  // the text after it holds a value
};
inline constexpr std::uint32_t kNoColon = UINT32_MAX;

class FillPlan {
public:
    explicit FillPlan(std::string page);
    // The slots point into the page.
    FillPlan(const FillPlan&) = delete;
    FillPlan& operator=(const FillPlan&) = delete;

    const std::string& Page() const { return m_page; }
    std::size_t ColonCount() const { return m_colons.size(); }
    std::size_t Colon(std::size_t k) const { return m_colons[k]; }
    // The colons of the page before any fill.
    const std::vector<FillColon>& UnfilledColons() const { return m_unfilled; }
    // The slots whose text between colon k and colon k + 1 is `name`, ascending.
    const std::vector<std::uint32_t>* SlotsNamed(std::string_view name) const;

private:
    // An open-addressed table of slot names: every fill looks one up, and a general map
    // spends more on hashing a short name than the rest of the fill.
    struct Named {
        std::string_view name;  // without data: a free entry
        std::vector<std::uint32_t> slots;
    };
    static std::uint32_t NameHash(std::string_view name);
    Named& Entry(std::string_view name);

    std::string m_page;
    std::vector<std::size_t> m_colons;
    std::vector<FillColon> m_unfilled;
    std::vector<Named> m_named;  // a power of two long, at most half full
};

// The plan of the built-in template with exactly these bytes, compiled on first use; null for
// any other page.
const FillPlan* BuiltInFillPlan(std::string_view page);

// One page being filled. Fill means what FillPlaceholder means on the page filled so far,
// PageTooLargeError included.
class PageFill {
public:
    // By the built-in plan where the page is a built-in template, else placeholder by
    // placeholder.
    explicit PageFill(std::string_view page);
    explicit PageFill(const FillPlan& plan);

    void Fill(std::string_view placeholder, std::string_view value);
    // Whether the fills so far were all made by the plan.
    bool Planned() const { return m_plan != nullptr; }
    // The filled page; the fill is over.
    std::string Take();

private:
    struct Value {
        std::size_t offset;
        std::size_t size;
    };

    bool PlannedFill(std::string_view placeholder, std::string_view value);
    bool SpanMatches(std::uint32_t colon, std::string_view name) const;
    void FillSlot(std::uint32_t slot, std::int32_t value);
    std::string_view ValueText(std::int32_t value) const;
    std::string Build() const;
    void LeavePlan();

    const FillPlan* m_plan = nullptr;
    std::vector<FillColon> m_colons;
    std::vector<std::uint64_t> m_filledSlots;  // bit k: the slot after colon k holds a value
    std::vector<std::uint32_t> m_spans;  // colons whose text after holds a value (some gone)
    // Every length the text after a span has had, as LengthBit: a span matches only a name of
    // its length, so a fill whose name has a length no span ever had passes the spans by.
    std::uint64_t m_spanLengths = 0;
    std::vector<std::uint32_t> m_taken;  // the slots one fill takes
    std::vector<Value> m_values;
    std::string m_valueBytes;
    std::size_t m_size = 0;
    std::string m_page;  // once off the plan
};

void FillPlaceholder(PageFill& page, std::string_view placeholder, std::string_view value);

}  // namespace ledgra
