// Filling the invoice pages from raw values, without a document around them: the input is the
// values, one per line, so a value can carry any placeholder's text (a later fill replaces it
// too) and any markup. The standard invoice's record and the field table of the legacy-schema
// and key-value invoices are filled from the same lines.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "render/InvoicePage.h"
#include "render/PageTemplates.h"
#include "render/PlaceholderFill.h"
#include "render/StandardInvoice.h"
#include "render/StandardInvoicePage.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/RendererSupport.h"

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
    for (InvoiceItemTexts& item : record.rows) {
        texts.insert(texts.end(), {&item.date, &item.name, &item.standard, &item.quantity,
                                   &item.unitPrice, &item.supplyAmount, &item.tax, &item.remark});
    }
    return texts;
}

// Fills a template as a renderer would; a page that would pass its limit stops the fill,
// as the run expects, and leaves the page at most as large as the limit.
template <typename Fill>
void FillTemplate(int id, Fill fill) {
    static const PageTemplates templates;
    std::optional<std::string> page = templates.LoadPageTemplate(id);
    FUZZ_CHECK(page.has_value());
    try {
        fill(*page);
    } catch (const PageTooLargeError&) {
    }
    FUZZ_CHECK(page->size() <= kMaxPageBytes);
    CheckNoTagsFromValues(*page, {id});
}

void FillStandardPages(const std::vector<std::string_view>& lines) {
    StandardInvoiceRecord record;
    const std::vector<std::string*> texts = RecordTexts(record);
    for (std::size_t i = 0; i < texts.size() && i < lines.size(); ++i) *texts[i] = lines[i];
    // Up to eight items, so that both the item rows and the summary rows are filled; a line
    // past the record's texts is the seal image.
    record.itemCount = static_cast<std::int64_t>(lines.size() % 9);
    record.supplySum = 1234567;
    record.taxSum = -123456;
    const std::string_view seal = lines.size() > texts.size() ? lines[texts.size()] : "";
    for (int id : {kStandardBuyerCopyTemplate, kStandardSupplierCopyTemplate}) {
        FillTemplate(id, [&](std::string& page) {
            FillStandardInvoicePage(page, record, seal, "/logs//zova_supplier.gif");
        });
    }
}

// The form and the rules follow from the number of lines, so every pairing is reached.
void FillFieldTablePages(const std::vector<std::string_view>& lines) {
    InvoiceFields fields;
    for (std::size_t i = 0; i < fields.table.size() && i < lines.size(); ++i) {
        fields.table[i] = lines[i];
    }
    fields.lineCount = static_cast<std::int64_t>(lines.size() % 9);
    fields.supplySum = 1234567;
    fields.taxSum = -123456;
    InvoiceSeals seals;
    if (lines.size() % 2 == 1) seals = {"GIF89a", "GIF89a"};
    const std::filesystem::path logFolder = FuzzEnvironment::Get().LogFolder();

    const std::array<CopyTemplates, 3> forms{kTaxInvoiceTemplates, kInvoiceWithoutTaxTemplates,
                                             kPaymentReceiptTemplates};
    const CopyTemplates& form = forms[lines.size() % forms.size()];
    const InvoiceFillRules& rules = (lines.size() / forms.size()) % 2 == 0
                                        ? kLegacyInvoiceFillRules
                                        : kKeyValueInvoiceFillRules;
    for (int id : {form.supplierCopy, form.buyerCopy}) {
        FillTemplate(
            id, [&](std::string& page) { FillInvoicePage(page, fields, seals, logFolder, rules); });
    }
}

}  // namespace

void FuzzPageFill(std::string_view input) {
    const std::vector<std::string_view> lines = Lines(input);
    FillStandardPages(lines);
    FillFieldTablePages(lines);
}

}  // namespace ledgra::fuzz
