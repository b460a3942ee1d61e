#include "records/InvoiceCodes.h"

#include <array>
#include <utility>

namespace ledgra {
namespace {

using CodeName = std::pair<std::string_view, std::string_view>;

template <std::size_t N>
std::optional<std::string_view> NameOf(const std::array<CodeName, N>& table,
                                       std::string_view code) {
    for (const auto& [key, name] : table) {
        if (key == code) return name;
    }
    return std::nullopt;
}

constexpr std::array<CodeName, 4> kClasses{{
    {"01", "세금계산서"},
    {"02", "수정세금계산서"},
    {"03", "계산서"},
    {"04", "수정계산서"},
}};

constexpr std::array<CodeName, 6> kKinds{{
    {"01", "일반"},
    {"02", "영세율"},
    {"03", "위수탁"},
    {"04", "수입"},
    {"05", "영세율위수탁"},
    {"06", "수입납부유예"},
}};

constexpr std::array<CodeName, 6> kAmendmentReasons{{
    {"01", "기재사항 착오·정정"},
    {"02", "공급가액 변동"},
    {"03", "환입"},
    {"04", "계약의 해제"},
    {"05", "내국신용장 사후개설"},
    {"06", "착오에 의한 이중발급"},
}};

constexpr std::array<CodeName, 2> kPurposes{{
    {"01", "영수"},
    {"02", "청구"},
}};

}  // namespace

std::optional<std::string_view> InvoiceClassName(std::string_view classCode) {
    return NameOf(kClasses, classCode);
}

std::optional<std::string_view> InvoiceKindName(std::string_view kindCode) {
    return NameOf(kKinds, kindCode);
}

std::optional<std::string_view> AmendmentReasonName(std::string_view reasonCode) {
    return NameOf(kAmendmentReasons, reasonCode);
}

std::optional<std::string_view> PurposeName(std::string_view purposeCode) {
    return NameOf(kPurposes, purposeCode);
}

std::optional<std::string> InvoiceTypeName(std::string_view typeCode) {
    const std::optional<std::string_view> className = InvoiceClassName(ClassCode(typeCode));
    const std::optional<std::string_view> kindName = InvoiceKindName(KindCode(typeCode));
    if (!className || !kindName) return std::nullopt;
    return std::string(*className) + " " + std::string(*kindName);
}

std::string_view RecordClassCode(const InvoiceRecord& record) {
    if (record.typeCode) return ClassCode(*record.typeCode);
    if (!record.formTypeCode) return {};
    const std::string_view form = *record.formTypeCode;
    if (form == "01" || form == "1") return "01";
    if (form == "02" || form == "2") return "03";
    return {};
}

std::string_view ClassCode(std::string_view typeCode) {
    return typeCode.size() == 4 ? typeCode.substr(0, 2) : std::string_view();
}

std::string_view KindCode(std::string_view typeCode) {
    return typeCode.size() == 4 ? typeCode.substr(2, 2) : std::string_view();
}

}  // namespace ledgra
