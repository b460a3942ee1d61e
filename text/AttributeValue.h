#pragma once
// Values written as key="value" inside a text that is searched, not parsed: the container's
// attachment attributes and the key-value invoice's fields.

#include <cstddef>
#include <string>
#include <string_view>

namespace ledgra {

// The text between the first and the second double quote that follow the first occurrence of
// `key` at or after `start`. Empty when the key is not found or a quote is missing.
std::string AttributeValue(std::string_view text, std::string_view key, std::size_t start);

}  // namespace ledgra
