#include "records/RecordValues.h"

#include <cstdio>
#include <ctime>
#include <limits>

#include "records/RecordFields.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    return !text.empty();
}

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<CalendarDate> ValidDate(std::string_view year, std::string_view month,
                                      std::string_view day) {
    if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day)) return std::nullopt;
    const CalendarDate date{Number(year), Number(month), Number(day)};
    if (date.year < 1 || date.month < 1 || date.month > 12) return std::nullopt;
    if (date.day < 1 || date.day > DaysInMonth(date.year, date.month)) return std::nullopt;
    return date;
}

bool IsTime(std::string_view hhmmss) {
    return AllDigits(hhmmss) && Number(hhmmss.substr(0, 2)) < 24 &&
           Number(hhmmss.substr(2, 2)) < 60 && Number(hhmmss.substr(4, 2)) < 60;
}

}  // namespace

std::optional<std::int64_t> ParseWon(std::string_view text) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    if (point != std::string_view::npos) {
        const std::string_view fraction = text.substr(point + 1);
        if (!AllDigits(fraction) || fraction.find_first_not_of('0') != std::string_view::npos) {
            return std::nullopt;
        }
        text = text.substr(0, point);
    }
    // Magnitudes are gathered negative: the 64-bit range has one more negative value.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool afterDigit = false;
    for (char c : text) {
        if (c == ',' && afterDigit) {
            afterDigit = false;
            continue;
        }
        if (!IsDigit(c)) return std::nullopt;
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
        afterDigit = true;
    }
    if (!afterDigit) return std::nullopt;
    if (negative) return value;
    if (value == kMin) return std::nullopt;
    return -value;
}

std::optional<CalendarDate> ParseDate(std::string_view text) {
    text = Trimmed(text);
    if (text.size() == 8 || (text.size() == 14 && IsTime(text.substr(8)))) {
        return ValidDate(text.substr(0, 4), text.substr(4, 2), text.substr(6, 2));
    }
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        return ValidDate(text.substr(0, 4), text.substr(5, 2), text.substr(8, 2));
    }
    return std::nullopt;
}

std::string DateText(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string WonText(std::int64_t won) {
    // Through the unsigned magnitude: the most negative amount has no positive counterpart.
    std::uint64_t magnitude =
        won < 0 ? 0 - static_cast<std::uint64_t>(won) : static_cast<std::uint64_t>(won);
    std::string reversed;
    for (int digits = 0; digits == 0 || magnitude > 0; ++digits) {
        if (digits > 0 && digits % 3 == 0) reversed += ',';
        reversed += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (won < 0) reversed += '-';
    return {reversed.rbegin(), reversed.rend()};
}

std::string WithoutDashes(std::string_view text) {
    std::string kept;
    for (char c : Trimmed(text)) {
        if (c != '-') kept += c;
    }
    return kept;
}

std::optional<CalendarDate> ApprovalDate(std::string_view approvalNumber) {
    const std::string digits = WithoutDashes(approvalNumber);
    if (digits.size() != 24 || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return ParseDate(std::string_view(digits).substr(0, 8));
}

CalendarDate Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<std::string> RecordValueReader::Text(std::string_view cp949) const {
    const std::string_view text = Trimmed(cp949);
    if (text.empty()) return std::nullopt;
    return Utf8FromCp949(text);
}

std::optional<std::int64_t> RecordValueReader::Amount(std::string_view cp949,
                                                      std::string_view field,
                                                      std::optional<std::size_t> line) {
    const std::optional<std::string> text = Text(cp949);
    if (!text) return std::nullopt;
    std::optional<std::int64_t> won = ParseWon(*text);
    if (!won) m_record.unreadable.push_back({std::string(field), *text, line});
    return won;
}

std::optional<CalendarDate> RecordValueReader::Date(std::string_view cp949,
                                                    std::string_view field) {
    const std::optional<std::string> text = Text(cp949);
    if (!text) return std::nullopt;
    std::optional<CalendarDate> date = ParseDate(*text);
    if (!date) m_record.unreadable.push_back({std::string(field), *text, std::nullopt});
    return date;
}

void RecordValueReader::AddLine(const InvoiceItemTexts& item) {
    const std::size_t number = m_record.lines.size() + 1;
    m_record.lines.push_back({Text(item.date), Text(item.name), Text(item.standard),
                              Text(item.quantity), Text(item.unitPrice),
                              Amount(item.supplyAmount, field::kLineSupplyAmount, number),
                              Amount(item.tax, field::kLineTax, number), Text(item.remark)});
}

}  // namespace ledgra
