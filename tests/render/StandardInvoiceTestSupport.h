#pragma once
// Rendering standard-schema invoices in tests: invoice documents built from parts, templates
// that print every placeholder in a cell of its own, and the rendered cells read back.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "verify/FrameState.h"
#include "render/PageTemplates.h"
#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"

namespace ledgra::testing {

// The names (UTF-8, without colons) of every placeholder the standard invoice fills.
const std::vector<std::string>& StandardInvoicePlaceholderNames();

// A probe template: the template id in the cell "template", then every named placeholder in a
// cell of its own, <td id="NAME">:NAME:</td> (code page 949).
std::string CellTemplate(int id, const std::vector<std::string>& names);

// The cells of a page (UTF-8) made from a probe template, by name.
std::map<std::string, std::string> CellsOf(const std::string& utf8Page);

// "<name>text</name>"
std::string Element(std::string_view name, std::string_view text);

// An InvoicerParty, InvoiceeParty or BrokerParty body with the six common values.
std::string PartyBody(std::string_view id, std::string_view name, std::string_view person,
                      std::string_view address, std::string_view type,
                      std::string_view classification);

// A TaxInvoiceTradeLineItem with its date, name, supply amount and tax; `more` is added inside.
std::string Item(std::string_view date, std::string_view name, std::string_view amount,
                 std::string_view tax, std::string_view more = "");

// A standard-schema invoice (UTF-8, in the schema's default namespace as real invoices are),
// with plausible defaults for every part; tests replace the parts they are about.
struct InvoiceParts {
    std::string document = Element("IssueID", "20240305-41000073-0001") +
                           Element("TypeCode", "0101") + Element("IssueDateTime", "20240305") +
                           Element("PurposeCode", "02");
    std::string supplier =
        PartyBody("1234567890", "한빛상사", "김공급", "서울 중구 세종대로 1", "제조", "전자부품");
    std::string buyer =
        PartyBody("9876543210", "누리물산", "이구매", "부산 남구 수영로 2", "도소매", "잡화");
    std::string brokers;   // BrokerParty elements
    std::string payments;  // SpecifiedPaymentMeans elements
    std::string summation = Element("ChargeTotalAmount", "100000") +
                            Element("TaxTotalAmount", "10000") +
                            Element("GrandTotalAmount", "110000");
    std::string items = Item("20240305", "볼트", "100000", "10000");
    std::string extensions;  // Extension elements

    std::string Xml() const;
};

// What a rendering gave: the page and its cells, read back as UTF-8.
struct RenderedInvoice {
    std::string page;  // code page 949, "" when no page was made
    int templateId = 0;
    std::map<std::string, std::string> cells;

    // The cell's content, or "<no cell NAME>" when the page has no such cell.
    std::string Cell(const std::string& name) const;
};

// A frame, profile, user and templates folder of its own for rendering invoices.
class InvoiceRendering {
public:
    // Templates 213 and 214 print every placeholder in a cell; with `builtInTemplates` the
    // program's own templates are used instead.
    explicit InvoiceRendering(bool builtInTemplates = false);

    // Writes the invoice (UTF-8) to a file and renders it.
    RenderedInvoice Render(std::string_view xml);
    RenderedInvoice RenderFile(const std::filesystem::path& path);

    // Stores the user's own registration number in its three parts.
    void SetOwnNumber(std::string_view number);
    std::filesystem::path SupplierSealFile() const;

    TempFolder folder;
    FrameState frame;
    MemoryProfile profile;
    RecordingUserInterface ui;
    PageTemplates templates;
};

}  // namespace ledgra::testing
