#pragma once
// Placeholder replacement, the one step every page is filled with, and the bound no page
// passes. All texts are code page 949 byte strings.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledgra {

// No page grows beyond this. Values may hold the text of placeholders filled later, which
// then fill too: a few fields that each name the next several times would otherwise grow a
// small document's page exponentially.
inline constexpr std::size_t kMaxPageBytes = std::size_t{16} << 20;

// A fill would have made the page larger than kMaxPageBytes. Renderers let it out; the run
// reports a failed page ("HTML 생성 실패").
class PageTooLargeError : public std::length_error {
public:
    PageTooLargeError() : std::length_error("page larger than its size limit") {}
};

// Replaces every occurrence of `placeholder` in `page` by `value`, left to right, without
// rescanning inserted text. An empty placeholder changes nothing. Throws PageTooLargeError,
// leaving the page as it was, when the filled page would pass kMaxPageBytes.
void FillPlaceholder(std::string& page, std::string_view placeholder, std::string_view value);

}  // namespace ledgra
