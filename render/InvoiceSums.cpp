#include "render/InvoiceSums.h"

#include <limits>
#include <string>

#include "text/ByteString.h"

namespace ledgra {

std::int64_t AmountValue(std::string_view amount) {
    // The leading number without its separators, read by the common integer rule.
    std::string number;
    number.reserve(amount.size());
    bool afterDigit = false;
    for (char c : amount) {
        const bool digit = c >= '0' && c <= '9';
        if (c == ',' && afterDigit) continue;
        if (afterDigit && !digit) break;
        number += c;
        afterDigit = digit;
    }
    return LeadingInteger(number);
}

std::int64_t SaturatingAdd(std::int64_t sum, std::int64_t value) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    if (value > 0 && sum > kMax - value) return kMax;
    if (value < 0 && sum < kMin - value) return kMin;
    return sum + value;
}

}  // namespace ledgra
