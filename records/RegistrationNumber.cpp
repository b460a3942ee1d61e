#include "records/RegistrationNumber.h"

#include <array>

namespace ledgra {

bool RegistrationCheckDigitHolds(std::string_view digits) {
    constexpr std::array<int, 9> kWeights{1, 3, 7, 1, 3, 7, 1, 3, 5};
    if (digits.size() != 10) return false;
    std::array<int, 10> d{};
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') return false;
        d[i] = digits[i] - '0';
    }
    int sum = d[8] * 5 / 10;
    for (std::size_t i = 0; i < kWeights.size(); ++i) sum += d[i] * kWeights[i];
    return (10 - sum % 10) % 10 == d[9];
}

}  // namespace ledgra
