// Filling the standard invoice's pages from raw values, without a document around them: the
// input is the record's texts, one per line, so a value can carry any placeholder's text (a
// later fill replaces it too) and any markup.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "render/PageTemplates.h"
#include "render/StandardInvoice.h"
#include "render/StandardInvoicePage.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzTargets.h"

namespace ledgra::fuzz {
namespace {

std::vector<std::string_view> Lines(std::string_view input) {
    std::vector<std::string_view> lines;
    while (true) {
        const std::size_t end = input.find('\n');
        lines.push_back(input.substr(0, end));
        if (end == std::string_view::npos) return lines;
        input.remove_prefix(end + 1);
    }
}

// Every text of the record, in a fixed order.
std::vector<std::string*> RecordTexts(StandardInvoiceRecord& record) {
    std::vector<std::string*> texts{&record.approvalNumber,  &record.issueDate,
                                    &record.purposeCode,     &record.typeCode,
                                    &record.descriptions[0], &record.descriptions[1]};
    for (StandardInvoiceParty* party : {&record.supplier, &record.buyer}) {
        texts.insert(texts.end(), {&party->registrationNumber, &party->name, &party->representative,
                                   &party->address, &party->businessType, &party->businessItem,
                                   &party->subPlaceNumber});
    }
    for (std::string& payment : record.payments) texts.push_back(&payment);
    texts.insert(texts.end(), {&record.supplyTotal, &record.taxTotal, &record.grandTotal});
    for (StandardInvoiceItem& item : record.rows) {
        texts.insert(texts.end(), {&item.date, &item.name, &item.standard, &item.quantity,
                                   &item.unitPrice, &item.supplyAmount, &item.tax, &item.remark});
    }
    return texts;
}

}  // namespace

void FuzzPageFill(std::string_view input) {
    const std::vector<std::string_view> lines = Lines(input);
    StandardInvoiceRecord record;
    const std::vector<std::string*> texts = RecordTexts(record);
    for (std::size_t i = 0; i < texts.size() && i < lines.size(); ++i) *texts[i] = lines[i];
    // Up to eight items, so that both the item rows and the summary rows are filled; a line
    // past the record's texts is the seal image.
    record.itemCount = static_cast<std::int64_t>(lines.size() % 9);
    record.supplySum = 1234567;
    record.taxSum = -123456;
    const std::string_view seal = lines.size() > texts.size() ? lines[texts.size()] : "";

    static const PageTemplates templates;
    for (int id : {kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate}) {
        std::optional<std::string> page = templates.LoadPageTemplate(id);
        FUZZ_CHECK(page.has_value());
        FillStandardInvoicePage(*page, record, seal, "/logs//zova_supplier.gif");
    }
}

}  // namespace ledgra::fuzz
