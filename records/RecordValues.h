#pragma once
// How the texts of a document become the values of its record: amounts in won, dates, and
// texts converted to UTF-8. Shared by the three schemas' record readers and by the checks.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "records/InvoiceRecord.h"
#include "render/InvoiceItemTexts.h"

namespace ledgra {

// An amount in whole won: blanks around it, an optional sign, digits that may be grouped by
// ",", and a fraction only of zeros ("1,500", "-220000", "1000.00"). Nothing else, and nothing
// beyond the 64-bit range, reads as an amount.
std::optional<std::int64_t> ParseWon(std::string_view text);

// A valid day written "YYYYMMDD", "YYYY-MM-DD" or, with its time, "YYYYMMDDhhmmss".
std::optional<CalendarDate> ParseDate(std::string_view text);

// "2024-03-05".
std::string DateText(const CalendarDate& date);
// "-1,234,567".
std::string WonText(std::int64_t won);

// The text without its dashes: registration and approval numbers are written both ways.
std::string WithoutDashes(std::string_view text);

// The day an approval number begins with: its first eight digits, when it is 24 digits once
// the dashes are removed and those eight are a valid date.
std::optional<CalendarDate> ApprovalDate(std::string_view approvalNumber);

// The day of the calendar today, in local time: the day of a check.
CalendarDate Today();

// Turns one document's code page 949 texts into record values. A text that is empty once its
// blanks are cut is absent; an amount or a date that does not read as one is absent too and
// is kept among the record's unreadable values.
class RecordValueReader {
public:
    explicit RecordValueReader(InvoiceRecord& record) : m_record(record) {}

    std::optional<std::string> Text(std::string_view cp949) const;
    // `line`: the line's number from 1, for a line's amount.
    std::optional<std::int64_t> Amount(std::string_view cp949, std::string_view field,
                                       std::optional<std::size_t> line = std::nullopt);
    std::optional<CalendarDate> Date(std::string_view cp949, std::string_view field);
    // Adds the item as the record's next line.
    void AddLine(const InvoiceItemTexts& item);

private:
    InvoiceRecord& m_record;
};

}  // namespace ledgra
