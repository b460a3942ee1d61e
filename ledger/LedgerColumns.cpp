#include "ledger/LedgerColumns.h"

#include <array>

#include "records/InvoiceCodes.h"
#include "records/RecordValues.h"

namespace ledgra {
namespace {

LedgerCell Text(const std::optional<std::string>& text) {
    if (!text || text->empty()) return {};
    return *text;
}

LedgerCell Text(std::string_view text) {
    if (text.empty()) return {};
    return std::string(text);
}

LedgerCell Text(const std::string& text) {
    return Text(std::string_view(text));
}

LedgerCell Amount(const std::optional<std::int64_t>& amount) {
    if (!amount) return {};
    return *amount;
}

// The name the code table gives, else the code as written.
LedgerCell CodeName(std::optional<std::string_view> (*name)(std::string_view),
                    std::string_view code) {
    if (const auto known = name(code)) return Text(*known);
    return Text(code);
}

const InvoiceRecord* Invoice(const LedgerRow& row) {
    return row.invoice ? &*row.invoice : nullptr;
}

// A column of the invoice record; blank for every other document.
template <typename Read>
LedgerCell FromInvoice(const LedgerRow& row, Read read) {
    const InvoiceRecord* invoice = Invoice(row);
    return invoice ? read(*invoice) : LedgerCell{};
}

// The columns of one field of the invoice record.
template <auto Field>
LedgerCell InvoiceText(const LedgerRow& row) {
    return FromInvoice(row, [](const InvoiceRecord& i) { return Text(i.*Field); });
}

template <auto Field>
LedgerCell InvoiceAmount(const LedgerRow& row) {
    return FromInvoice(row, [](const InvoiceRecord& i) { return Amount(i.*Field); });
}

template <auto Party, auto Field>
LedgerCell PartyText(const LedgerRow& row) {
    return FromInvoice(row, [](const InvoiceRecord& i) { return Text((i.*Party).*Field); });
}

std::string_view KindName(const LedgerRow& row) {
    switch (row.kind) {
        case LedgerDocumentKind::Contract:
            return "계약서";
        case LedgerDocumentKind::ContentPage:
            return "전자문서";
        default:
            return {};
    }
}

LedgerCell ClassColumn(const LedgerRow& row) {
    if (const InvoiceRecord* invoice = Invoice(row)) {
        return CodeName(InvoiceClassName, RecordClassCode(*invoice));
    }
    return Text(KindName(row));
}

LedgerCell ItemsColumn(const InvoiceRecord& invoice) {
    if (invoice.lines.empty()) return {};
    std::string items = invoice.lines.front().name.value_or("");
    if (invoice.lines.size() > 1) {
        items += " 외 " + std::to_string(invoice.lines.size() - 1) + "건";
    }
    return items;
}

LedgerCell SignatureColumn(const LedgerRow& row) {
    static constexpr std::array<std::string_view, 4> kVerdicts{"확인됨", "확인 불가", "서명 없음",
                                                               "실패"};
    std::string text(kVerdicts[static_cast<std::size_t>(row.signature)]);
    for (std::size_t i = 0; i < row.signers.size(); ++i) {
        text += i == 0 ? " (" : ", ";
        text += row.signers[i];
    }
    if (!row.signers.empty()) text += ")";
    return text;
}

LedgerCell CheckColumn(const LedgerRow& row) {
    if (row.kind == LedgerDocumentKind::Failed) return Text(row.failure);
    if (!row.invoice) return {};
    if (row.findings.empty()) return std::string("이상 없음");
    return "오류 " + std::to_string(row.ErrorCount()) + " · 경고 " +
           std::to_string(row.WarningCount());
}

constexpr double kNumberWidth = 14;
constexpr double kDateWidth = 11;
constexpr double kNameWidth = 20;

constexpr std::array<LedgerColumn, 22> kColumns{{
    {"구분", CellKind::Text, 6, [](const LedgerRow& r) { return Text(TradeSideName(r.side)); }},
    {"작성일자", CellKind::Date, kDateWidth,
     [](const LedgerRow& r) {
         return FromInvoice(r, [](const InvoiceRecord& i) -> LedgerCell {
             if (!i.issueDate) return {};
             return *i.issueDate;
         });
     }},
    {"승인번호", CellKind::Text, 28, InvoiceText<&InvoiceRecord::approvalNumber>},
    {"발급일자", CellKind::Date, kDateWidth,
     [](const LedgerRow& r) {
         return FromInvoice(r, [](const InvoiceRecord& i) -> LedgerCell {
             const auto date = ApprovalDate(i.approvalNumber.value_or(""));
             if (!date) return {};
             return *date;
         });
     }},
    {"분류", CellKind::Text, 14, ClassColumn},
    {"종류", CellKind::Text, 12,
     [](const LedgerRow& r) {
         return FromInvoice(r, [](const InvoiceRecord& i) {
             return CodeName(InvoiceKindName, KindCode(i.typeCode.value_or("")));
         });
     }},
    {"공급자 등록번호", CellKind::Text, 14,
     PartyText<&InvoiceRecord::supplier, &InvoiceParty::registrationNumber>},
    {"공급자 상호", CellKind::Text, kNameWidth,
     PartyText<&InvoiceRecord::supplier, &InvoiceParty::name>},
    {"공급자 대표자", CellKind::Text, 10,
     PartyText<&InvoiceRecord::supplier, &InvoiceParty::representative>},
    {"공급받는자 등록번호", CellKind::Text, 14,
     PartyText<&InvoiceRecord::buyer, &InvoiceParty::registrationNumber>},
    {"공급받는자 상호", CellKind::Text, kNameWidth,
     PartyText<&InvoiceRecord::buyer, &InvoiceParty::name>},
    {"공급받는자 대표자", CellKind::Text, 10,
     PartyText<&InvoiceRecord::buyer, &InvoiceParty::representative>},
    {"공급가액", CellKind::Amount, kNumberWidth, InvoiceAmount<&InvoiceRecord::supplyTotal>},
    {"세액", CellKind::Amount, kNumberWidth, InvoiceAmount<&InvoiceRecord::taxTotal>},
    {"합계", CellKind::Amount, kNumberWidth, InvoiceAmount<&InvoiceRecord::grandTotal>},
    {"영수/청구", CellKind::Text, 8,
     [](const LedgerRow& r) {
         return FromInvoice(r, [](const InvoiceRecord& i) {
             return CodeName(PurposeName, i.purposeCode.value_or(""));
         });
     }},
    {"수정사유", CellKind::Text, 16,
     [](const LedgerRow& r) {
         return FromInvoice(r, [](const InvoiceRecord& i) {
             return CodeName(AmendmentReasonName, i.amendmentReasonCode.value_or(""));
         });
     }},
    {"당초승인번호", CellKind::Text, 28, InvoiceText<&InvoiceRecord::originalApprovalNumber>},
    {"품목", CellKind::Text, kNameWidth,
     [](const LedgerRow& r) { return FromInvoice(r, ItemsColumn); }},
    {"서명", CellKind::Text, 12, SignatureColumn},
    {"검사", CellKind::Text, 16, CheckColumn},
    {"파일", CellKind::Text, 40,
     [](const LedgerRow& r) { return Text(ValidUtf8(r.path.generic_string())); }},
}};

static_assert(kColumns[kApprovalColumn].title == "승인번호");
static_assert(kColumns[kClassColumn].title == "분류");
static_assert(kColumns[kSupplyColumn].title == "공급가액");
static_assert(kColumns[kTaxColumn].title == "세액");
static_assert(kColumns[kGrandTotalColumn].title == "합계");
static_assert(kColumns[kOriginalApprovalColumn].title == "당초승인번호");
static_assert(kColumns[kFileColumn].title == "파일");

}  // namespace

std::span<const LedgerColumn> LedgerColumns() {
    return kColumns;
}

std::string_view TradeSideName(TradeSide side) {
    switch (side) {
        case TradeSide::Sale:
            return "매출";
        case TradeSide::Purchase:
            return "매입";
        case TradeSide::None:
            break;
    }
    return {};
}

}  // namespace ledgra
