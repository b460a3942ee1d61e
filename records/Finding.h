#pragma once
// What a check of an invoice found: one rule broken, said in Korean with the values.

#include <string>
#include <string_view>

namespace ledgra {

enum class Severity {
    Error,    // 오류: the invoice is wrong
    Warning,  // 경고: worth a look, may be right
};

// "오류" or "경고", UTF-8.
std::string_view SeverityName(Severity severity);

struct Finding {
    std::string rule;  // "K01" to "K14"
    Severity severity = Severity::Error;
    std::string message;  // UTF-8, naming the values it found
    std::string field;    // the field's Korean name, e.g. "공급자 등록번호"
};

}  // namespace ledgra
