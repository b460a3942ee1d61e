#pragma once
// The names of an invoice's codes, in one table that the checks, the ledger and the window
// share. A type code is four digits: the 분류 (first two) then the 종류 (last two).

#include <optional>
#include <string>
#include <string_view>

#include "records/InvoiceRecord.h"

namespace ledgra {

// 01 세금계산서, 02 수정세금계산서, 03 계산서, 04 수정계산서; absent for any other code.
std::optional<std::string_view> InvoiceClassName(std::string_view classCode);
// 01 일반, 02 영세율, 03 위수탁, 04 수입, 05 영세율위수탁, 06 수입납부유예.
std::optional<std::string_view> InvoiceKindName(std::string_view kindCode);
// 01 기재사항 착오·정정 ... 06 착오에 의한 이중발급.
std::optional<std::string_view> AmendmentReasonName(std::string_view reasonCode);
// 01 영수, 02 청구.
std::optional<std::string_view> PurposeName(std::string_view purposeCode);

// "세금계산서 영세율" for "0102"; absent when either half has no name.
std::optional<std::string> InvoiceTypeName(std::string_view typeCode);

// An invoice's 분류 code: the first half of its type code, or, for the legacy and key-value
// forms, which carry none, "01" (세금계산서) or "03" (계산서) from the form's own type code;
// empty when neither says.
std::string_view RecordClassCode(const InvoiceRecord& record);

// The two halves of a four-character type code; empty views for a code of another length.
std::string_view ClassCode(std::string_view typeCode);
std::string_view KindCode(std::string_view typeCode);

}  // namespace ledgra
