#include "ledger/LedgerCell.h"

#include "records/RecordValues.h"

namespace ledgra {

std::string DisplayText(const LedgerCell& cell) {
    if (const auto* amount = std::get_if<std::int64_t>(&cell)) return WonText(*amount);
    return PlainText(cell);
}

std::string PlainText(const LedgerCell& cell) {
    if (const auto* text = std::get_if<std::string>(&cell)) return *text;
    if (const auto* amount = std::get_if<std::int64_t>(&cell)) return std::to_string(*amount);
    if (const auto* date = std::get_if<CalendarDate>(&cell)) return DateText(*date);
    return {};
}

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = lead < 0x80                    ? 1
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                            : 0;
        if (length > 1 && at + length <= text.size()) {
            const auto second = static_cast<unsigned char>(text[at + 1]);
            // The second byte's range rules out overlong forms, surrogates and code points
            // past U+10FFFF.
            const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
            bool ok = second >= low && second <= high;
            for (std::size_t i = 2; ok && i < length; ++i) {
                ok = (static_cast<unsigned char>(text[at + i]) & 0xC0) == 0x80;
            }
            if (!ok) length = 0;
        } else if (length > 1) {
            length = 0;
        }
        if (length == 0) {
            valid += "\xEF\xBF\xBD";
            ++at;
        } else {
            valid.append(text.substr(at, length));
            at += length;
        }
    }
    return valid;
}

bool CellLess(const LedgerCell& a, const LedgerCell& b, bool ascending) {
    const bool aEmpty = std::holds_alternative<std::monostate>(a);
    const bool bEmpty = std::holds_alternative<std::monostate>(b);
    if (aEmpty || bEmpty) return !aEmpty && bEmpty;
    return ascending ? a < b : b < a;
}

}  // namespace ledgra
