#pragma once
// Document values put into a page as text, never as markup: a company name holding "</table>"
// or "<img ...>" must show those characters, not break the form or draw over a signed amount.
// The escaping is byte-wise, which is sound for code page 949: no byte of a two-byte character
// is "&", "<", ">" or a quote.

#include <string>
#include <string_view>

namespace ledgra {

// For the text of a cell: "&", "<" and ">" as entities.
std::string EscapeText(std::string_view text);

// For a value inside a quoted attribute: also both quotes.
std::string EscapeAttribute(std::string_view text);

// For a piece of an address inside a style's url('...'): every byte but letters, digits and
// "-", ".", "_", "~" percent-encoded. An entity would not do there, because the attribute is
// decoded before the style is read.
std::string EscapeUrlPart(std::string_view text);

}  // namespace ledgra
