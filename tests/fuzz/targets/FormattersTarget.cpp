// The shared value formatters and the lenient Base64 decoder of the renderers, each given the
// whole input as a document value, against the rules every result must keep.

#include <algorithm>
#include <memory>
#include <string>

#include "render/Base64.h"
#include "render/DigitCells.h"
#include "render/Formatters.h"
#include "render/HtmlText.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

namespace ledgra::fuzz {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string WithoutCommas(std::string_view text) {
    std::string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char c) { return c != ','; });
    return out;
}

// "-" at most in front, then 1 to 3 digits and groups of a comma and three digits, at most 19
// characters, no leading zero but for "0" itself.
bool IsFormattedAmount(std::string_view text) {
    if (text.size() > 19) return false;
    if (text.starts_with('-')) text.remove_prefix(1);
    if (text.empty() || (text.front() == '0' && text.size() > 1)) return false;
    const std::size_t head = (text.size() % 4 == 0) ? 0 : text.size() % 4;
    if (head == 0) return false;  // a group cannot begin with its comma
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool commaPlace = i >= head && (i - head) % 4 == 0;
        if (commaPlace ? text[i] != ',' : !IsDigit(text[i])) return false;
    }
    return true;
}

void CheckFormatAmount(std::string_view input) {
    const std::string amount = FormatAmount(input);
    if (amount.empty()) return;
    FUZZ_CHECK(IsFormattedAmount(amount));
    FUZZ_CHECK(FormatAmount(amount) == amount);
}

void CheckGroupDigits(std::string_view input) {
    const std::string grouped = GroupDigits(input);
    // Grouping only adds commas: a value without commas and blanks comes back in them.
    const bool plain = std::none_of(input.begin(), input.end(), [](char c) {
        return c == ',' || c == ' ' || (c >= '\t' && c <= '\r');
    });
    if (plain) FUZZ_CHECK(WithoutCommas(grouped) == input);
}

void CheckBusinessNumber(std::string_view input) {
    const std::string number = FormatBusinessNumber(input);
    if (input.empty()) {
        FUZZ_CHECK(number == "&nbsp;");
    } else if (input.size() == 13) {
        FUZZ_CHECK(number.size() == 14 && number[6] == '-');
    } else if (input.size() >= 10) {
        FUZZ_CHECK(number.size() == 12 && number[3] == '-' && number[6] == '-');
    }
}

// Escaped text holds no markup: no "<" or ">", and every "&" starts one of the three entities;
// an attribute value holds no quote either, and an address piece only unreserved bytes and
// percent escapes.
void CheckEscaping(std::string_view input) {
    const auto checkEntities = [](std::string_view text) {
        FUZZ_CHECK(text.find_first_of("<>") == std::string_view::npos);
        for (std::size_t at = text.find('&'); at != std::string_view::npos;
             at = text.find('&', at + 1)) {
            const std::string_view rest = text.substr(at);
            FUZZ_CHECK(rest.starts_with("&amp;") || rest.starts_with("&lt;") ||
                       rest.starts_with("&gt;") || rest.starts_with("&quot;") ||
                       rest.starts_with("&#39;"));
        }
    };
    const std::string text = EscapeText(input);
    checkEntities(text);
    FUZZ_CHECK(text.find("&quot;") == std::string::npos && text.find("&#39;") == std::string::npos);
    const std::string attribute = EscapeAttribute(input);
    checkEntities(attribute);
    FUZZ_CHECK(attribute.find_first_of("\"'") == std::string::npos);
    for (char c : EscapeUrlPart(input)) {
        const bool unreserved = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) ||
                                c == '-' || c == '.' || c == '_' || c == '~' || c == '%';
        FUZZ_CHECK(unreserved);
    }
}

// The cells, filled as a reference computes them: right-aligned, "&nbsp;" in front.
void CheckDigitCells(std::string_view input) {
    constexpr int kCells = 12;
    std::string page;
    std::string expected;
    const std::string_view shown =
        input.substr(input.size() - std::min<std::size_t>(input.size(), kCells));
    const std::size_t blank = kCells - shown.size();
    for (int k = 1; k <= kCells; ++k) {
        page += ":D" + std::to_string(k) + ":|";
        const std::size_t cell = static_cast<std::size_t>(k);
        expected +=
            cell <= blank ? std::string("&nbsp;") : EscapeText(shown.substr(cell - blank - 1, 1));
        expected += '|';
    }
    DigitCells(page, ":D", input, kCells);
    FUZZ_CHECK(page == expected);
}

// The lenient decoder counts without a buffer, fills an exact one, and with one byte too few
// says so, keeps to the capacity and still reports the full length.
void CheckDecodeBase64(std::string_view input) {
    std::size_t length = 0;
    FUZZ_CHECK(DecodeBase64(input.data(), input.size(), nullptr, &length));
    const std::size_t decodedLength = length;
    FUZZ_CHECK(decodedLength <= input.size());

    // Heap buffers of the exact size, so that a write past the capacity is caught.
    const auto exact = std::make_unique<unsigned char[]>(decodedLength);
    length = decodedLength;
    FUZZ_CHECK(DecodeBase64(input.data(), input.size(), exact.get(), &length));
    FUZZ_CHECK(length == decodedLength);
    const std::string decoded(reinterpret_cast<const char*>(exact.get()), decodedLength);
    FUZZ_CHECK(DecodeBase64Text(input) == decoded);

    if (decodedLength > 0) {
        const auto small = std::make_unique<unsigned char[]>(decodedLength - 1);
        length = decodedLength - 1;
        FUZZ_CHECK(!DecodeBase64(input.data(), input.size(), small.get(), &length));
        FUZZ_CHECK(length == decodedLength);
        FUZZ_CHECK(std::equal(small.get(), small.get() + decodedLength - 1, exact.get()));
    }
}

}  // namespace

void FuzzFormatters(std::string_view input) {
    CheckFormatAmount(input);
    CheckGroupDigits(input);
    CheckBusinessNumber(input);
    CheckEscaping(input);
    CheckDigitCells(input);
    CheckDecodeBase64(input);
}

}  // namespace ledgra::fuzz
