#pragma once
// The fields of a legacy-schema or key-value invoice, read into one table of 200 text slots
// that one fill step shows. Slots are numbered from 0; the row slots of row i (0 to 3) are
// 12 + 4i and its neighbours, 34 + 4i and its neighbours.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "render/InvoiceItemTexts.h"

namespace ledgra {

inline constexpr std::size_t kInvoiceFieldSlots = 200;
// The rows the paper form has.
inline constexpr std::size_t kInvoiceRows = 4;

namespace slot {

inline constexpr std::size_t kSupplierNumber = 0;
// Representative and company name, joined by the renderer's separator.
inline constexpr std::size_t kSupplierNames = 1;
// Business type and business item, joined by the separator.
inline constexpr std::size_t kSupplierBusiness = 2;
inline constexpr std::size_t kSupplierAddress = 3;
inline constexpr std::size_t kBuyerNumber = 4;
inline constexpr std::size_t kBuyerNames = 5;
inline constexpr std::size_t kBuyerBusiness = 6;
inline constexpr std::size_t kBuyerAddress = 7;
inline constexpr std::size_t kSupplyAmount = 9;
inline constexpr std::size_t kTax = 10;
inline constexpr std::size_t kIssueDate = 11;  // YYYYMMDD
inline constexpr std::size_t kRemarks = 29;
inline constexpr std::size_t kDocumentCode = 30;
inline constexpr std::size_t kTypeCode = 31;
inline constexpr std::size_t kBlankCells = 33;
inline constexpr std::size_t kGrandTotal = 50;
inline constexpr std::size_t kCash = 51;
inline constexpr std::size_t kCheque = 52;
inline constexpr std::size_t kPromissoryNote = 53;
inline constexpr std::size_t kCredit = 54;
inline constexpr std::size_t kBookVolume = 55;
inline constexpr std::size_t kBookNumber = 56;
inline constexpr std::size_t kSerialNumber = 57;
inline constexpr std::size_t kDemandIndicator = 58;

// The slots of row i.
constexpr std::size_t ItemName(std::size_t i) {
    return 12 + 4 * i;
}
constexpr std::size_t UnitPrice(std::size_t i) {
    return 13 + 4 * i;
}
constexpr std::size_t Quantity(std::size_t i) {
    return 14 + 4 * i;
}
constexpr std::size_t RowDate(std::size_t i) {
    return 15 + 4 * i;
}
constexpr std::size_t ItemStandard(std::size_t i) {  // 규격: size or model
    return 34 + 4 * i;
}
constexpr std::size_t RowSupplyAmount(std::size_t i) {
    return 35 + 4 * i;
}
constexpr std::size_t RowTax(std::size_t i) {
    return 36 + 4 * i;
}
constexpr std::size_t RowRemark(std::size_t i) {
    return 37 + 4 * i;
}

}  // namespace slot

using InvoiceFieldTable = std::array<std::string, kInvoiceFieldSlots>;

// Writes the item into the slots of row i.
inline void FillRowSlots(InvoiceFieldTable& table, std::size_t i, const InvoiceItemTexts& item) {
    table[slot::RowDate(i)] = item.date;
    table[slot::ItemName(i)] = item.name;
    table[slot::ItemStandard(i)] = item.standard;
    table[slot::Quantity(i)] = item.quantity;
    table[slot::UnitPrice(i)] = item.unitPrice;
    table[slot::RowSupplyAmount(i)] = item.supplyAmount;
    table[slot::RowTax(i)] = item.tax;
    table[slot::RowRemark(i)] = item.remark;
}

// What a rendering reads before it fills the page: the table, the number of item lines (all of
// them, beyond the four rows too) and the sums of their amounts and taxes.
struct InvoiceFields {
    InvoiceFieldTable table;
    std::int64_t lineCount = 0;
    std::int64_t supplySum = 0;
    std::int64_t taxSum = 0;
};

// The decoded seal images; empty when the document carries none.
struct InvoiceSeals {
    std::string buyer;
    std::string supplier;
};

}  // namespace ledgra
