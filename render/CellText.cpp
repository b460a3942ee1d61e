#include "render/CellText.h"

#include "render/FillPlan.h"
#include "render/HtmlText.h"
#include "render/PlaceholderFill.h"
#include "text/Cp949.h"

namespace ledgra {

std::string TextOrNbsp(std::string_view value) {
    return value.empty() ? std::string(kNbsp) : EscapeText(value);
}

std::string NumberedPlaceholder(std::string_view prefix, std::int64_t number) {
    std::string placeholder(prefix);
    placeholder += std::to_string(number);
    placeholder += ':';
    return placeholder;
}

std::string FourByteLines(std::string_view remark) {
    constexpr std::size_t kLineBytes = 4;
    std::string broken;
    broken.reserve(remark.size() + remark.size() / kLineBytes * 4);
    for (std::size_t start = 0; start < remark.size(); start += kLineBytes) {
        if (start > 0) broken += "<br>";
        broken += EscapeText(remark.substr(start, kLineBytes));
    }
    return broken;
}

std::optional<MonthDay> RowMonthDay(std::string_view date, RowDateForms forms) {
    if (date.size() == 8) return MonthDay{date.substr(4, 2), date.substr(6, 2)};
    if (date.size() == 4 && forms == RowDateForms::YearMonthDayOrMonthDay) {
        return MonthDay{date.substr(0, 2), date.substr(2, 2)};
    }
    return std::nullopt;
}

bool FillRowDate(PageFill& page, std::int64_t row, const std::optional<MonthDay>& date) {
    FillPlaceholder(page, NumberedPlaceholder(":월"_cp949, row),
                    date ? EscapeText(date->month) : std::string(kNbsp));
    FillPlaceholder(page, NumberedPlaceholder(":일"_cp949, row),
                    date ? EscapeText(date->day) : std::string(kNbsp));
    return date.has_value();
}

}  // namespace ledgra
