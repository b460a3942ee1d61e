#pragma once
// The one rendering harness of the render tests: a log folder, profile, user and templates of
// a test's own, renderers called as the run calls them, and probe templates that print every
// placeholder in a cell of its own, read back by name.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "render/CopyChoice.h"
#include "render/PageTemplates.h"
#include "render/Renderer.h"
#include "settings/Profile.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/TempFolder.h"

namespace ledgra::testing {

// The cells of a page (UTF-8) made from a probe template (the template id in the cell
// "template", then each placeholder in a cell of its own: <td id="NAME">:NAME:</td>), by name.
std::map<std::string, std::string> CellsOf(const std::string& utf8Page);

// What a rendering gave: the page and its cells, read back as UTF-8.
struct RenderedInvoice {
    std::string page;  // code page 949, "" when no page was made
    int templateId = 0;
    std::map<std::string, std::string> cells;

    // The cell's content, or "<no cell NAME>" when the page has no such cell.
    std::string Cell(const std::string& name) const;
};

// A rendering's surroundings for one test. The program's own templates unless a test writes
// probes.
class Rendering {
public:
    Rendering();

    // Renders the content as the run does, and records the copy the renderer chose for the
    // next rendering.
    RenderedPage Render(const Renderer& renderer, const std::string& content,
                        const std::string* signedXml = nullptr);
    // The same, with the page's cells read back.
    RenderedInvoice RenderCells(const Renderer& renderer, const std::string& content);

    // Templates from the test's own folder, each written as given (code page 949).
    void UseProbeTemplates(const std::map<int, std::string>& pages);
    // Stores the user's own registration number in its three parts.
    void SetOwnNumber(std::string_view number);

    TempFolder folder;
    // "<temp>/Logs/", with its trailing separator as the frame's.
    std::filesystem::path logFolder;
    CopyRequest copy;
    MemoryProfile profile;
    RecordingUserInterface ui;
    PageTemplates templates;
};

// Standard-schema invoices: probe templates 213 and 214 unless `builtInTemplates`.
class InvoiceRendering : public Rendering {
public:
    explicit InvoiceRendering(bool builtInTemplates = false);

    // Renders the invoice (the bytes of an XML file).
    RenderedInvoice Render(std::string_view xml);
    // Renders the bytes of the file, read once; a file that cannot be read gives no bytes.
    RenderedInvoice RenderFile(const std::filesystem::path& path);
    std::filesystem::path SupplierSealFile() const;
};

// The legacy-schema and key-value invoice forms: probe templates 140, 141, 189, 190, 209 and
// 210 unless `builtInTemplates`.
class InvoiceFormRendering : public Rendering {
public:
    explicit InvoiceFormRendering(bool builtInTemplates = false);

    // Renders the document text (UTF-8, converted to code page 949 as a verified content is).
    RenderedInvoice Render(const Renderer& renderer, std::string_view utf8Content);
    std::filesystem::path SealFile(std::string_view fileName) const;
};

// Contracts and content pages. Template 188 is "{body::계약서내용:}{list::첨부파일:}" and 208
// "[:내용:]" unless `builtInTemplates`.
class ContractRendering : public Rendering {
public:
    explicit ContractRendering(bool builtInTemplates = false);

    std::string RenderContract(const std::string& content);
    std::string RenderContentPage(const std::string& content);
    // The two parts of a probe page: the body cell and the list cell.
    static std::string BodyCell(const std::string& page);
    static std::string ListCell(const std::string& page);

    // The names of the files in the log folder, sorted (UTF-8, as on disk).
    std::vector<std::string> LogFiles() const;
    // The names in the test's folder beside the log folder, sorted.
    std::vector<std::string> FolderEntries() const;
};

// The names (UTF-8, without colons) of every placeholder the standard invoice fills.
const std::vector<std::string>& StandardInvoicePlaceholderNames();
// The names (UTF-8, without colons) of every placeholder the forms 140 to 210 are filled with.
const std::vector<std::string>& InvoiceFormPlaceholderNames();

}  // namespace ledgra::testing
