#pragma once
// Small operations on byte strings (code page 949 text), with the semantics the viewer's
// formats rely on: ASCII-only case mapping and the C library's notion of white space.

#include <cstdint>
#include <string>
#include <string_view>

namespace ledgra {

// Upper-cases ASCII letters only; bytes of two-byte characters are left alone.
std::string ToUpperAscii(std::string_view text);

// Removes blanks, tabs, line breaks, vertical tabs and form feeds from both ends.
std::string Trim(std::string_view text);
// The same, as a view into `text`.
std::string_view TrimmedView(std::string_view text);

// Replaces every occurrence of `from`, left to right, without rescanning inserted text.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// The leading decimal integer of a text as the C library's strtol reads it (leading white
// space and a sign allowed, stops at the first other character, no digits give 0), in 64 bits
// and saturated instead of overflowing.
std::int64_t LeadingInteger(std::string_view text);

}  // namespace ledgra
