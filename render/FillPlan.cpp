#include "render/FillPlan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <deque>

#include "render/PlaceholderFill.h"
#include "res/EmbeddedTemplates.h"

namespace ledgra {
namespace {

// FillPlaceholder's bound on the page, for `hits` replacements.
bool Fits(std::size_t pageSize, std::size_t hits, std::size_t placeholderSize,
          std::size_t valueSize) {
    if (valueSize <= placeholderSize) return true;
    if (pageSize > kMaxPageBytes) return false;
    return hits <= (kMaxPageBytes - pageSize) / (valueSize - placeholderSize);
}

// Bit `length` of a set of lengths, the last bit standing for every length from 63 on.
std::uint64_t LengthBit(std::size_t length) {
    return std::uint64_t{1} << std::min<std::size_t>(length, 63);
}

}  // namespace

FillPlan::FillPlan(std::string page) : m_page(std::move(page)) {
    for (std::size_t at = m_page.find(':'); at != std::string::npos; at = m_page.find(':', at + 1)) {
        m_colons.push_back(at);
    }
    const std::size_t count = m_colons.size();
    std::size_t tableSize = 16;
    while (tableSize < 2 * count) tableSize *= 2;
    m_named.resize(tableSize);
    m_unfilled.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        FillColon& colon = m_unfilled[k];
        colon.previous = k == 0 ? kNoColon : static_cast<std::uint32_t>(k - 1);
        colon.next = k + 1 == count ? kNoColon : static_cast<std::uint32_t>(k + 1);
        const std::size_t end = k + 1 == count ? m_page.size() : m_colons[k + 1];
        colon.textAfter = end - m_colons[k] - 1;
        if (k + 1 == count) break;
        const std::string_view name =
            std::string_view(m_page).substr(m_colons[k] + 1, m_colons[k + 1] - m_colons[k] - 1);
        Entry(name).slots.push_back(static_cast<std::uint32_t>(k));
    }
}

// FNV-1a.
std::uint32_t FillPlan::NameHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

FillPlan::Named& FillPlan::Entry(std::string_view name) {
    const std::size_t mask = m_named.size() - 1;
    std::size_t at = NameHash(name) & mask;
    while (m_named[at].name.data() != nullptr && m_named[at].name != name) at = (at + 1) & mask;
    m_named[at].name = name;
    return m_named[at];
}

const std::vector<std::uint32_t>* FillPlan::SlotsNamed(std::string_view name) const {
    const std::size_t mask = m_named.size() - 1;
    for (std::size_t at = NameHash(name) & mask; m_named[at].name.data() != nullptr;
         at = (at + 1) & mask) {
        if (m_named[at].name == name) return &m_named[at].slots;
    }
    return nullptr;
}

const FillPlan* BuiltInFillPlan(std::string_view page) {
    static const std::deque<FillPlan> plans = [] {
        std::deque<FillPlan> compiled;
        for (int id : EmbeddedTemplateIds()) compiled.emplace_back(std::string(*EmbeddedTemplate(id)));
        return compiled;
    }();
    for (const FillPlan& plan : plans) {
        if (plan.Page() == page) return &plan;
    }
    return nullptr;
}

PageFill::PageFill(std::string_view page) {
    if (const FillPlan* plan = BuiltInFillPlan(page)) {
        *this = PageFill(*plan);
    } else {
        m_page = std::string(page);
    }
}

PageFill::PageFill(const FillPlan& plan)
    : m_plan(&plan),
      m_colons(plan.UnfilledColons()),
      m_filledSlots((plan.ColonCount() + 63) / 64),
      m_size(plan.Page().size()) {
    // Room for the fills of a whole page of the built-in templates, which make about a
    // hundred: growing there step by step would cost more than the fills.
    constexpr std::size_t kFills = 128;
    m_values.reserve(kFills);
    m_spans.reserve(kFills);
    m_valueBytes.reserve(kFills * 16);
}

void PageFill::Fill(std::string_view placeholder, std::string_view value) {
    if (placeholder.empty()) return;
    if (m_plan != nullptr) {
        if (PlannedFill(placeholder, value)) return;
        LeavePlan();
    }
    FillPlaceholder(m_page, placeholder, value);
}

// The placeholder matches, in the page as it is now, wherever two neighbouring colons hold its
// name between them. With no value holding a colon, the page's colons are the template's
// that no fill took: two neighbours are either a slot no fill touched, found by its name, or
// a span across values, compared here. A match in a span cannot be told from the slots: false.
bool PageFill::PlannedFill(std::string_view placeholder, std::string_view value) {
    if (placeholder.size() < 2 || placeholder.front() != ':' || placeholder.back() != ':') {
        return false;
    }
    const std::string_view name = placeholder.substr(1, placeholder.size() - 2);
    if (name.find(':') != std::string_view::npos) return false;
    if ((m_spanLengths & LengthBit(name.size())) != 0) {
        for (const std::uint32_t colon : m_spans) {
            const FillColon& state = m_colons[colon];
            if (!state.gone && state.next != kNoColon && state.textAfter == name.size() &&
                SpanMatches(colon, name)) {
                return false;
            }
        }
    }

    const std::vector<std::uint32_t>* slots = m_plan->SlotsNamed(name);
    if (slots == nullptr) return true;
    // Left to right, a match ends where the next may begin: of two neighbouring slots of the
    // same name only the first is filled, as the search goes on behind the first match.
    m_taken.clear();
    for (const std::uint32_t slot : *slots) {
        if (m_colons[slot].gone || m_colons[slot + 1].gone) continue;
        if (!m_taken.empty() && m_taken.back() + 1 == slot) continue;
        m_taken.push_back(slot);
    }
    if (m_taken.empty()) return true;
    if (!Fits(m_size, m_taken.size(), placeholder.size(), value.size())) {
        throw PageTooLargeError();
    }

    const auto id = static_cast<std::int32_t>(m_values.size());
    m_values.push_back({m_valueBytes.size(), value.size()});
    m_valueBytes.append(value);
    for (const std::uint32_t slot : m_taken) FillSlot(slot, id);
    m_size = m_size - m_taken.size() * placeholder.size() + m_taken.size() * value.size();
    // A colon of the value could begin or end a later match.
    if (value.find(':') != std::string_view::npos) LeavePlan();
    return true;
}

// Whether the text between `colon` and the next colon in the page, which holds values, is
// `name`; its length is known to be the name's.
bool PageFill::SpanMatches(std::uint32_t colon, std::string_view name) const {
    const std::string& page = m_plan->Page();
    const std::uint32_t end = m_colons[colon].next;
    std::size_t from = m_plan->Colon(colon) + 1;
    std::size_t compared = 0;
    const auto same = [&](std::string_view text) {
        if (name.compare(compared, text.size(), text) != 0) return false;
        compared += text.size();
        return true;
    };
    // Every colon between was taken by a filled slot, two at a time.
    for (std::uint32_t slot = colon + 1; slot < end; slot += 2) {
        const std::size_t at = m_plan->Colon(slot);
        if (!same(std::string_view(page).substr(from, at - from)) ||
            !same(ValueText(m_colons[slot].value))) {
            return false;
        }
        from = m_plan->Colon(slot + 1) + 1;
    }
    return same(std::string_view(page).substr(from, m_plan->Colon(end) - from));
}

void PageFill::FillSlot(std::uint32_t slot, std::int32_t value) {
    FillColon& open = m_colons[slot];
    FillColon& close = m_colons[slot + 1];
    const std::uint32_t before = open.previous;
    const std::uint32_t after = close.next;
    if (before != kNoColon) {
        FillColon& joined = m_colons[before];
        joined.textAfter += m_values[static_cast<std::size_t>(value)].size + close.textAfter;
        m_spanLengths |= LengthBit(joined.textAfter);
        joined.next = after;
        if (!joined.spansValue) m_spans.push_back(before);
        joined.spansValue = true;
    }
    if (after != kNoColon) m_colons[after].previous = before;
    open.gone = true;
    close.gone = true;
    open.value = value;
    m_filledSlots[slot / 64] |= std::uint64_t{1} << (slot % 64);
}

std::string_view PageFill::ValueText(std::int32_t value) const {
    const Value& text = m_values[static_cast<std::size_t>(value)];
    return std::string_view(m_valueBytes).substr(text.offset, text.size);
}

std::string PageFill::Build() const {
    const std::string_view page = m_plan->Page();
    // m_size is the filled page's size to the byte; were it ever short, the page would come
    // out cut, never written past.
    std::string filled(m_size, '\0');
    char* out = filled.data();
    const auto put = [&](std::string_view text) {
        const std::size_t room = static_cast<std::size_t>(filled.data() + filled.size() - out);
        const std::size_t size = std::min(text.size(), room);
        std::memcpy(out, text.data(), size);
        out += size;
    };
    std::size_t from = 0;
    for (std::size_t word = 0; word < m_filledSlots.size(); ++word) {
        for (std::uint64_t bits = m_filledSlots[word]; bits != 0; bits &= bits - 1) {
            const std::size_t k = word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
            put(page.substr(from, m_plan->Colon(k) - from));
            put(ValueText(m_colons[k].value));
            from = m_plan->Colon(k + 1) + 1;
        }
    }
    put(page.substr(from));
    filled.resize(static_cast<std::size_t>(out - filled.data()));
    return filled;
}

void PageFill::LeavePlan() {
    m_page = Build();
    m_plan = nullptr;
    m_colons = {};
    m_filledSlots = {};
    m_spans = {};
    m_values = {};
    m_valueBytes = {};
}

std::string PageFill::Take() {
    if (m_plan != nullptr) return Build();
    return std::move(m_page);
}

void FillPlaceholder(PageFill& page, std::string_view placeholder, std::string_view value) {
    page.Fill(placeholder, value);
}

}  // namespace ledgra
