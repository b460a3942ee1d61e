#include "render/KeyValueInvoiceRecord.h"

#include <array>

#include "text/AttributeValue.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

struct Key {
    const std::string& key;
    std::size_t slot;
};

// A section starts at the first occurrence of its marker; without one, `npos` makes every key
// of it empty.
std::size_t SectionStart(std::string_view text, std::string_view marker) {
    return text.find(marker);
}

void ReadHeader(std::string_view text, InvoiceFieldTable& table) {
    const std::array<Key, 7> keys{{
        {"비고="_cp949, slot::kRemarks},
        {"책권="_cp949, slot::kBookVolume},
        {"책호="_cp949, slot::kBookNumber},
        {"전표번호1="_cp949, slot::kSerialNumber},
        {"작성일="_cp949, slot::kIssueDate},
        {"증서구분="_cp949, slot::kTypeCode},
        {"공란수="_cp949, slot::kBlankCells},
    }};
    for (const Key& key : keys) table[key.slot] = AttributeValue(text, key.key, 0);
}

void ReadParty(std::string_view text, std::string_view marker, std::size_t numberSlot,
               InvoiceFieldTable& table) {
    const std::size_t start = SectionStart(text, marker);
    const auto value = [&](const std::string& key) { return AttributeValue(text, key, start); };
    // The slots follow each other: number, representative@company, type@item, address.
    table[numberSlot] = value("등록번호="_cp949);
    table[numberSlot + 1] = value("대표자="_cp949) + "@" + value("회사명="_cp949);
    table[numberSlot + 2] = value("업태="_cp949) + "@" + value("종목="_cp949);
    table[numberSlot + 3] = value("사업장소재지="_cp949);
}

void ReadPayment(std::string_view text, InvoiceFieldTable& table) {
    const std::size_t start = SectionStart(text, "결제정보"_cp949);
    const std::array<Key, 7> keys{{
        {"공급가액="_cp949, slot::kSupplyAmount},
        {"세액="_cp949, slot::kTax},
        {"합계금액="_cp949, slot::kGrandTotal},
        {"현금="_cp949, slot::kCash},
        {"수표="_cp949, slot::kCheque},
        {"어음="_cp949, slot::kPromissoryNote},
        {"외상미수금="_cp949, slot::kCredit},
    }};
    for (const Key& key : keys) table[key.slot] = AttributeValue(text, key.key, start);
}

std::string ItemMarker(std::size_t number) {
    return "상품"_cp949 + std::to_string(number);
}

// The values of the item section that starts at `start` in `text`.
InvoiceItemTexts ReadItem(std::string_view text, std::size_t start) {
    const auto value = [&](const std::string& key) { return AttributeValue(text, key, start); };
    return {value("월일="_cp949), value("품목="_cp949), value("규격="_cp949),
            value("수량="_cp949), value("단가="_cp949), value("공급가액="_cp949),
            value("세액="_cp949), value("비고="_cp949)};
}

// Items 1 to 4 under the markers "상품1" to "상품4"; later items are never looked at.
void ReadItems(std::string_view text, InvoiceFieldTable& table,
               std::vector<InvoiceItemTexts>* everyItem) {
    bool marked = true;
    for (std::size_t i = 0; i < kInvoiceRows; ++i) {
        const std::size_t start = SectionStart(text, ItemMarker(i + 1));
        InvoiceItemTexts item = ReadItem(text, start);
        FillRowSlots(table, i, item);
        marked = marked && start != std::string_view::npos;
        if (everyItem && marked) everyItem->push_back(std::move(item));
    }
}

// The items after the fourth, for the record: each bounded by the next item's marker.
void ReadLaterItems(std::string_view text, std::vector<InvoiceItemTexts>& everyItem) {
    std::size_t start = SectionStart(text, ItemMarker(kInvoiceRows));
    for (std::size_t number = kInvoiceRows + 1; number <= kMaxKeyValueItems; ++number) {
        start = text.find(ItemMarker(number), start);
        if (start == std::string_view::npos) break;
        const std::size_t end = text.find(ItemMarker(number + 1), start);
        everyItem.push_back(ReadItem(text.substr(0, end), start));
    }
}

}  // namespace

KeyValueInvoice ReadKeyValueInvoice(std::string_view text,
                                    std::vector<InvoiceItemTexts>* everyItem) {
    KeyValueInvoice invoice;
    InvoiceFieldTable& table = invoice.fields.table;
    ReadHeader(text, table);
    ReadParty(text, "공급자"_cp949, slot::kSupplierNumber, table);
    ReadParty(text, "공급받는자"_cp949, slot::kBuyerNumber, table);
    ReadPayment(text, table);
    ReadItems(text, table, everyItem);
    if (everyItem && everyItem->size() == kInvoiceRows) ReadLaterItems(text, *everyItem);
    const std::size_t seals = SectionStart(text, "인감"_cp949);
    invoice.buyerStamp = AttributeValue(text, "공급받는자="_cp949, seals);
    invoice.supplierStamp = AttributeValue(text, "공급자="_cp949, seals);
    return invoice;
}

}  // namespace ledgra
