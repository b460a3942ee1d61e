#pragma once
// Strict Base64 for signed messages: unlike the lenient decoder the renderers use for seal
// images, a signed text that is not exactly Base64 is refused rather than read around.

#include <optional>
#include <string>
#include <string_view>

namespace ledgra {

// The text without its CR and LF bytes.
std::string RemoveLineBreaks(std::string_view text);

// Decodes standard Base64 ("A-Z a-z 0-9 + /", "=" padding). Refuses (nullopt) an empty text,
// any other byte, a length that is not a multiple of four, padding anywhere but at the end,
// and a last symbol whose unused bits are not zero (so each byte string has one encoding).
std::optional<std::string> DecodeBase64Strict(std::string_view text);

}  // namespace ledgra
