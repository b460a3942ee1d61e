#pragma once
// The check digit of a Korean business registration number.

#include <string_view>

namespace ledgra {

// True when `digits` is ten decimal digits whose last is the check digit of the nine before:
// S = d1·1 + d2·3 + d3·7 + d4·1 + d5·3 + d6·7 + d7·1 + d8·3 + d9·5 + ⌊d9·5 / 10⌋, and the
// check digit is (10 − S mod 10) mod 10.
bool RegistrationCheckDigitHolds(std::string_view digits);

}  // namespace ledgra
