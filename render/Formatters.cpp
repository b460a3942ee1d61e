#include "render/Formatters.h"

#include <algorithm>

#include "text/ByteString.h"

namespace ledgra {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends the characters of `integerPart` with a "," after every character whose count from
// the right end is 4, 7, 10, ...; every character counts, whatever it is.
void AppendGrouped(std::string& out, std::string_view integerPart) {
    const std::size_t length = integerPart.size();
    for (std::size_t i = 0; i < length; ++i) {
        out += integerPart[i];
        const std::size_t countFromRight = length - i;
        if (countFromRight > 3 && countFromRight % 3 == 1) out += ',';
    }
}

}  // namespace

std::string FormatAmount(std::string_view text) {
    // The number formatter takes an optional leading "-" and digits; separators are ours to
    // drop and the fraction is cut off, not rounded.
    std::string number;
    number.reserve(text.size());
    for (char c : text) {
        if (c == '.') break;
        if (c != ',') number += c;
    }
    std::string_view digits = number;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) return {};

    // Leading zeros are not part of the value: "007" is 7, and "-0" is plain 0.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string_view::npos) return "0";
    digits.remove_prefix(firstSignificant);

    // The formatter's buffer holds 19 characters and its terminator.
    constexpr std::size_t kMaxLength = 19;
    const std::size_t length = (negative ? 1 : 0) + digits.size() + (digits.size() - 1) / 3;
    if (length > kMaxLength) return {};

    std::string formatted;
    formatted.reserve(length);
    if (negative) formatted += '-';
    AppendGrouped(formatted, digits);
    return formatted;
}

std::string GroupDigits(std::string_view text) {
    std::string_view integerPart = text;
    std::string_view fraction;
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos && point >= 1) {
        integerPart = text.substr(0, point);
        fraction = text.substr(point);
    }
    std::string grouped;
    grouped.reserve(text.size() + text.size() / 3);
    AppendGrouped(grouped, integerPart);
    grouped += fraction;
    return Trim(grouped);
}

std::string CutThreeTwoFive(std::string_view number) {
    auto piece = [number](std::size_t from, std::size_t count) {
        return from < number.size() ? number.substr(from, count) : std::string_view{};
    };
    std::string cut(piece(0, 3));
    cut += '-';
    cut += piece(3, 2);
    cut += '-';
    cut += number.substr(number.size() - std::min<std::size_t>(number.size(), 5));
    return cut;
}

std::string FormatBusinessNumber(std::string_view number) {
    if (number.empty()) return "&nbsp;";
    if (number.size() == 13) {
        std::string cut(number.substr(0, 6));
        cut += '-';
        cut += number.substr(6);
        return cut;
    }
    return CutThreeTwoFive(number);
}

}  // namespace ledgra
