#pragma once
// The Korean names of an invoice's fields, as findings and unreadable values name them.

#include <string_view>

namespace ledgra::field {

inline constexpr std::string_view kApprovalNumber = "승인번호";
inline constexpr std::string_view kTypeCode = "분류·종류";
inline constexpr std::string_view kPurposeCode = "영수·청구";
inline constexpr std::string_view kAmendmentReason = "수정사유";
inline constexpr std::string_view kOriginalApprovalNumber = "당초 승인번호";
inline constexpr std::string_view kIssueDate = "작성일자";
inline constexpr std::string_view kSupplierNumber = "공급자 등록번호";
inline constexpr std::string_view kBuyerNumber = "공급받는자 등록번호";
inline constexpr std::string_view kBroker = "수탁자";
inline constexpr std::string_view kSupplyTotal = "공급가액";
inline constexpr std::string_view kTaxTotal = "세액";
inline constexpr std::string_view kGrandTotal = "합계";
inline constexpr std::string_view kLineSupplyAmount = "품목 공급가액";
inline constexpr std::string_view kLineTax = "품목 세액";
inline constexpr std::string_view kPaymentAmount = "결제 금액";

}  // namespace ledgra::field
