#include "render/PlaceholderFill.h"

namespace ledgra {
namespace {

// How often the placeholder occurs in the page, each search going on behind the previous hit.
std::size_t CountOccurrences(std::string_view page, std::string_view placeholder) {
    std::size_t count = 0;
    for (std::size_t hit = page.find(placeholder); hit != std::string_view::npos;
         hit = page.find(placeholder, hit + placeholder.size())) {
        ++count;
    }
    return count;
}

// Whether replacing `hits` placeholders by the value keeps the page within its limit,
// computed without overflow before anything is allocated.
bool FitsThePage(std::size_t pageSize, std::size_t hits, std::size_t placeholderSize,
                 std::size_t valueSize) {
    if (valueSize <= placeholderSize) return true;
    if (pageSize > kMaxPageBytes) return false;
    return hits <= (kMaxPageBytes - pageSize) / (valueSize - placeholderSize);
}

}  // namespace

void FillPlaceholder(std::string& page, std::string_view placeholder, std::string_view value) {
    if (placeholder.empty()) return;
    const std::size_t hits = CountOccurrences(page, placeholder);
    if (hits == 0) return;
    if (!FitsThePage(page.size(), hits, placeholder.size(), value.size())) {
        throw PageTooLargeError();
    }

    // Most placeholders occur once in a page: replace that one in place, moving only the
    // tail. With several hits, copy the page once, putting the value in place of each hit.
    std::size_t hit = page.find(placeholder);
    if (hits == 1) {
        page.replace(hit, placeholder.size(), value);
        return;
    }
    std::string filled;
    filled.reserve(page.size() - hits * placeholder.size() + hits * value.size());
    std::size_t copied = 0;
    for (; hit != std::string::npos; hit = page.find(placeholder, copied)) {
        filled.append(page, copied, hit - copied);
        filled.append(value);
        copied = hit + placeholder.size();
    }
    filled.append(page, copied, std::string::npos);
    page.swap(filled);
}

}  // namespace ledgra
