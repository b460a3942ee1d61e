#include "records/InvoiceChecks.h"

#include <array>
#include <cstdint>

#include "records/InvoiceCodes.h"
#include "records/RecordFields.h"
#include "records/RecordValues.h"
#include "records/RegistrationNumber.h"

namespace ledgra {
namespace {

using Won = std::int64_t;

class Findings {
public:
    void Add(std::string_view rule, Severity severity, std::string_view field,
             std::string message) {
        m_list.push_back({std::string(rule), severity, std::move(message), std::string(field)});
    }
    std::vector<Finding> Take() { return std::move(m_list); }

private:
    std::vector<Finding> m_list;
};

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string Amount(Won won) {
    return WonText(won) + "원";
}

// Sums and differences that leave the 64-bit range have no value.
std::optional<Won> Plus(Won a, Won b) {
    Won sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) return std::nullopt;
    return sum;
}

std::optional<Won> Minus(Won a, Won b) {
    Won difference = 0;
    if (__builtin_sub_overflow(a, b, &difference)) return std::nullopt;
    return difference;
}

// ⌊won / 10⌋, rounding negative amounts down as well.
Won FloorTenth(Won won) {
    return won / 10 - (won % 10 < 0 ? 1 : 0);
}

std::string_view TypeClass(const InvoiceRecord& record) {
    return record.typeCode ? ClassCode(*record.typeCode) : std::string_view();
}

std::string_view TypeKind(const InvoiceRecord& record) {
    return record.typeCode ? KindCode(*record.typeCode) : std::string_view();
}

// "세금계산서 영세율(0102)", or the code alone when it has no name.
std::string TypeText(std::string_view typeCode) {
    const std::optional<std::string> name = InvoiceTypeName(typeCode);
    return name ? *name + "(" + std::string(typeCode) + ")" : Quoted(typeCode);
}

// The unreadable values each rule reports: those it would have compared.
struct UnreadableRule {
    std::string_view field;
    std::string_view rule;
};
constexpr std::array<UnreadableRule, 6> kUnreadableRules{{
    {field::kSupplyTotal, "K03"},
    {field::kLineSupplyAmount, "K03"},
    {field::kTaxTotal, "K04"},
    {field::kLineTax, "K04"},
    {field::kGrandTotal, "K05"},
    {field::kIssueDate, "K11"},
}};

void ReportUnreadable(const InvoiceRecord& record, std::string_view rule, Findings& findings) {
    for (const UnreadableValue& value : record.unreadable) {
        for (const UnreadableRule& entry : kUnreadableRules) {
            if (entry.rule != rule || entry.field != value.field) continue;
            const std::string_view kind = value.field == field::kIssueDate ? "날짜로" : "금액으로";
            const std::string line = value.line ? std::to_string(*value.line) + "번째 " : "";
            findings.Add(rule, Severity::Error, value.field,
                         line + std::string(value.field) + " " + Quoted(value.text) + ": " +
                             std::string(kind) + " 읽을 수 없습니다.");
        }
    }
}

// K01, K02.
void CheckRegistrationNumber(const std::optional<std::string>& number, std::string_view rule,
                             std::string_view field, bool personalNumberAllowed,
                             Findings& findings) {
    if (!number) return;
    const std::string digits = WithoutDashes(*number);
    const bool allDigits = digits.find_first_not_of("0123456789") == std::string::npos;
    const std::string head = std::string(field) + " " + Quoted(*number) + ": ";
    if (allDigits && digits.size() == 10) {
        if (!RegistrationCheckDigitHolds(digits)) {
            findings.Add(rule, Severity::Error, field, head + "검증번호가 맞지 않습니다.");
        }
    } else if (personalNumberAllowed) {
        if (!allDigits || digits.size() != 13) {
            findings.Add(rule, Severity::Error, field,
                         head + "숫자 10자리(사업자등록번호)도 13자리(주민등록번호)도 아닙니다.");
        }
    } else {
        findings.Add(rule, Severity::Error, field, head + "숫자 10자리가 아닙니다.");
    }
}

// K03, K04: the lines' amounts add up to the total.
template <typename Member>
void CheckLineSum(const InvoiceRecord& record, Member member, const std::optional<Won>& total,
                  std::string_view rule, std::string_view lineField, std::string_view totalField,
                  Findings& findings) {
    ReportUnreadable(record, rule, findings);
    if (!total || record.lines.empty()) return;
    std::optional<Won> sum = 0;
    for (const InvoiceLine& line : record.lines) {
        const std::optional<Won>& amount = line.*member;
        if (!amount) return;
        if (sum) sum = Plus(*sum, *amount);
    }
    const std::string lines = std::string(lineField) + "의 합 ";
    if (!sum) {
        findings.Add(rule, Severity::Error, totalField, lines + "금액의 범위를 넘습니다.");
    } else if (*sum != *total) {
        findings.Add(rule, Severity::Error, totalField,
                     lines + Amount(*sum) + ": " + std::string(totalField) + " " + Amount(*total) +
                         "과 다릅니다.");
    }
}

// K05.
void CheckGrandTotal(const InvoiceRecord& record, Findings& findings) {
    ReportUnreadable(record, "K05", findings);
    if (!record.supplyTotal || !record.taxTotal || !record.grandTotal) return;
    const std::optional<Won> sum = Plus(*record.supplyTotal, *record.taxTotal);
    if (sum == record.grandTotal) return;
    const std::string terms =
        "공급가액 " + Amount(*record.supplyTotal) + " + 세액 " + Amount(*record.taxTotal);
    findings.Add(
        "K05", Severity::Error, field::kGrandTotal,
        sum ? terms + " = " + Amount(*sum) + ": 합계 " + Amount(*record.grandTotal) + "과 다릅니다."
            : terms + ": 금액의 범위를 넘습니다.");
}

// K06: tax invoices (not the invoices without tax, whose tax K07 checks) of the ordinary and
// the consignment kind charge a tenth, give or take a won of rounding per line.
void CheckTaxRate(const InvoiceRecord& record, Findings& findings) {
    const std::string_view typeClass = TypeClass(record);
    const std::string_view kind = TypeKind(record);
    if (typeClass != "01" && typeClass != "02") return;
    if (kind != "01" && kind != "03") return;
    if (!record.supplyTotal || !record.taxTotal) return;
    const Won tenth = FloorTenth(*record.supplyTotal);
    const std::optional<Won> difference = Minus(*record.taxTotal, tenth);
    const auto lines = static_cast<Won>(record.lines.size());
    if (difference && *difference <= lines && *difference >= -lines) return;
    findings.Add("K06", Severity::Warning, field::kTaxTotal,
                 "세액 " + Amount(*record.taxTotal) + ": 공급가액 " + Amount(*record.supplyTotal) +
                     "의 10분의 1인 " + Amount(tenth) + "과의 차이가 품목 수 " +
                     std::to_string(lines) + "보다 큽니다.");
}

// K07: zero-rate invoices and invoices without tax.
void CheckNoTax(const InvoiceRecord& record, Findings& findings) {
    if (!record.taxTotal || *record.taxTotal == 0) return;
    std::string invoice;
    const std::string_view typeClass = TypeClass(record);
    const std::string_view kind = TypeKind(record);
    if (typeClass == "03" || typeClass == "04" || kind == "02" || kind == "05") {
        invoice = TypeText(*record.typeCode);
    } else if (record.formTypeCode &&
               (*record.formTypeCode == "02" || *record.formTypeCode == "2")) {
        // The legacy and key-value forms' code of an invoice without tax.
        invoice = "계산서(증서구분 " + Quoted(*record.formTypeCode) + ")";
    } else {
        return;
    }
    findings.Add("K07", Severity::Error, field::kTaxTotal,
                 invoice + ": 세액이 0원이 아니라 " + Amount(*record.taxTotal) + "입니다.");
}

// K08.
void CheckCodes(const InvoiceRecord& record, Findings& findings) {
    if (record.typeCode && (!InvoiceClassName(ClassCode(*record.typeCode)) ||
                            !InvoiceKindName(KindCode(*record.typeCode)))) {
        findings.Add("K08", Severity::Error, field::kTypeCode,
                     "분류·종류 " + Quoted(*record.typeCode) +
                         ": 01–04 다음에 01–06이 오는 코드가 아닙니다.");
    }
    if (record.purposeCode && !PurposeName(*record.purposeCode)) {
        findings.Add(
            "K08", Severity::Error, field::kPurposeCode,
            "영수·청구 " + Quoted(*record.purposeCode) + ": 01(영수)도 02(청구)도 아닙니다.");
    }
}

// K09.
void CheckAmendment(const InvoiceRecord& record, Findings& findings) {
    const std::string_view typeClass = TypeClass(record);
    if (typeClass != "02" && typeClass != "04") return;
    const std::string invoice = TypeText(*record.typeCode);
    if (!record.amendmentReasonCode) {
        findings.Add("K09", Severity::Error, field::kAmendmentReason,
                     invoice + ": 수정사유가 없습니다.");
    } else if (!AmendmentReasonName(*record.amendmentReasonCode)) {
        findings.Add(
            "K09", Severity::Error, field::kAmendmentReason,
            "수정사유 " + Quoted(*record.amendmentReasonCode) + ": 01–06의 코드가 아닙니다.");
    }
    if (!record.originalApprovalNumber) {
        findings.Add("K09", Severity::Warning, field::kOriginalApprovalNumber,
                     invoice + ": 당초 승인번호가 없습니다.");
    }
}

// K10.
void CheckBroker(const InvoiceRecord& record, Findings& findings) {
    const std::string_view kind = TypeKind(record);
    if ((kind != "03" && kind != "05") || record.broker) return;
    findings.Add("K10", Severity::Error, field::kBroker,
                 TypeText(*record.typeCode) + ": 수탁자가 없습니다.");
}

// K11; an unreadable 작성일자 is its error.
void CheckIssueDate(const InvoiceRecord& record, const CalendarDate& today, Findings& findings) {
    ReportUnreadable(record, "K11", findings);
    if (record.issueDate && *record.issueDate > today) {
        findings.Add("K11", Severity::Warning, field::kIssueDate,
                     "작성일자 " + DateText(*record.issueDate) + ": 검사일 " + DateText(today) +
                         "보다 뒤입니다.");
    }
}

// K12.
void CheckApprovalNumber(const InvoiceRecord& record, Findings& findings) {
    if (!record.approvalNumber) return;
    const std::string digits = WithoutDashes(*record.approvalNumber);
    const std::string head = "승인번호 " + Quoted(*record.approvalNumber) + ": ";
    if (digits.size() != 24 || digits.find_first_not_of("0123456789") != std::string::npos) {
        findings.Add("K12", Severity::Warning, field::kApprovalNumber,
                     head + "숫자 24자리가 아닙니다.");
    } else if (!ApprovalDate(digits)) {
        findings.Add("K12", Severity::Warning, field::kApprovalNumber,
                     head + "앞 8자리가 올바른 날짜가 아닙니다.");
    }
}

// K13: an invoice is issued by the 10th of the month after the one it is written in.
void CheckIssuedInTime(const InvoiceRecord& record, Findings& findings) {
    if (!record.approvalNumber || !record.issueDate) return;
    const std::optional<CalendarDate> approved =
        ApprovalDate(WithoutDashes(*record.approvalNumber));
    if (!approved) return;
    const CalendarDate& written = *record.issueDate;
    const CalendarDate deadline = written.month == 12
                                      ? CalendarDate{written.year + 1, 1, 10}
                                      : CalendarDate{written.year, written.month + 1, 10};
    if (*approved <= deadline) return;
    findings.Add("K13", Severity::Warning, field::kApprovalNumber,
                 "승인번호의 날짜 " + DateText(*approved) + ": 작성일자 " + DateText(written) +
                     "의 다음 달 10일(" + DateText(deadline) + ")보다 늦게 발급되었습니다.");
}

}  // namespace

std::vector<Finding> CheckInvoice(const InvoiceRecord& record, const CalendarDate& today) {
    Findings findings;
    CheckRegistrationNumber(record.supplier.registrationNumber, "K01", field::kSupplierNumber,
                            false, findings);
    CheckRegistrationNumber(record.buyer.registrationNumber, "K02", field::kBuyerNumber, true,
                            findings);
    CheckLineSum(record, &InvoiceLine::supplyAmount, record.supplyTotal, "K03",
                 field::kLineSupplyAmount, field::kSupplyTotal, findings);
    CheckLineSum(record, &InvoiceLine::tax, record.taxTotal, "K04", field::kLineTax,
                 field::kTaxTotal, findings);
    CheckGrandTotal(record, findings);
    CheckTaxRate(record, findings);
    CheckNoTax(record, findings);
    CheckCodes(record, findings);
    CheckAmendment(record, findings);
    CheckBroker(record, findings);
    CheckIssueDate(record, today, findings);
    CheckApprovalNumber(record, findings);
    CheckIssuedInTime(record, findings);
    return findings.Take();
}

std::optional<Finding> ApprovalNumberSet::Add(const InvoiceRecord& record,
                                              std::string_view documentName) {
    if (!record.approvalNumber) return std::nullopt;
    const auto [first, isNew] =
        m_firstDocument.try_emplace(WithoutDashes(*record.approvalNumber), documentName);
    if (isNew) return std::nullopt;
    return Finding{"K14", Severity::Warning,
                   "승인번호 " + Quoted(*record.approvalNumber) + ": 같은 묶음의 " +
                       Quoted(first->second) + "에도 있습니다.",
                   std::string(field::kApprovalNumber)};
}

}  // namespace ledgra
