#include "text/AttributeValue.h"

namespace ledgra {

std::string AttributeValue(std::string_view text, std::string_view key, std::size_t start) {
    const std::size_t keyAt = text.find(key, start);
    if (keyAt == std::string_view::npos) return {};
    const std::size_t opening = text.find('"', keyAt);
    if (opening == std::string_view::npos) return {};
    const std::size_t closing = text.find('"', opening + 1);
    if (closing == std::string_view::npos) return {};
    return std::string(text.substr(opening + 1, closing - opening - 1));
}

}  // namespace ledgra
