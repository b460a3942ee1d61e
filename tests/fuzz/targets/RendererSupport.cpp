#include "tests/fuzz/targets/RendererSupport.h"

#include <set>

#include "render/PlaceholderFill.h"
#include "render/SealCells.h"
#include "render/XmlDocument.h"
#include "settings/Profile.h"
#include "tests/fuzz/targets/FuzzCheck.h"
#include "tests/fuzz/targets/FuzzEnvironment.h"

namespace ledgra::fuzz {
namespace {

namespace fs = std::filesystem;

// The log folder holds plain files only, and the scratch folder nothing but it and the
// document files the targets wrote.
void CheckWrittenOnlyToLogFolder() {
    const fs::path logFolder = FuzzEnvironment::Get().LogFolder().parent_path();
    for (const fs::directory_entry& entry : fs::directory_iterator(logFolder.parent_path())) {
        if (entry.path() == logFolder) continue;
        FUZZ_CHECK(!entry.is_symlink() && entry.is_regular_file());
        FUZZ_CHECK(entry.path().stem() == "document");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(logFolder)) {
        FUZZ_CHECK(!entry.is_symlink() && entry.is_regular_file());
    }
}

void EmptyLogFolder() {
    const fs::path logFolder = FuzzEnvironment::Get().LogFolder();
    fs::remove_all(logFolder);
    fs::create_directories(logFolder);
}

std::set<std::string> TagNames(std::string_view page) {
    std::set<std::string> names;
    for (std::size_t at = page.find('<'); at != std::string_view::npos;
         at = page.find('<', at + 1)) {
        std::size_t end = at + 1;
        if (end < page.size() && page[end] == '/') ++end;
        std::string name;
        for (; end < page.size(); ++end) {
            const char c = page[end];
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
                break;
            }
            name += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
        if (!name.empty()) names.insert(name);
    }
    return names;
}

}  // namespace

RenderOutcome RenderFuzzedDocument(const Renderer& renderer, std::string_view input) {
    FuzzEnvironment& environment = FuzzEnvironment::Get();
    EmptyLogFolder();
    const std::string content(input);

    const fs::path logFolder = environment.LogFolder();
    MemoryProfile profile;
    static const PageTemplates templates;
    CountingUserInterface ui;

    RenderOutcome outcome;
    try {
        const RenderedPage first =
            renderer(RenderContext{logFolder, {}, profile, templates, ui}, RenderInput{content});
        outcome.page = first.page;
        if (!outcome.page.empty()) {
            const CopyRequest otherCopy{.otherCopy = true, .lastCopy = first.copy};
            outcome.otherCopy =
                renderer(RenderContext{logFolder, otherCopy, profile, templates, ui},
                         RenderInput{content})
                    .page;
        }
    } catch (const XmlAccessError&) {
        outcome.xmlError = true;
    } catch (const PageTooLargeError&) {
        outcome.tooLarge = true;
    }
    outcome.messages = ui.MessageCount();

    FUZZ_CHECK(outcome.page.size() <= kMaxPageBytes && outcome.otherCopy.size() <= kMaxPageBytes);
    CheckWrittenOnlyToLogFolder();
    return outcome;
}

void CheckNoTagsFromValues(std::string_view page, std::initializer_list<int> templateIds) {
    static const PageTemplates templates;
    std::set<std::string> allowed;
    for (int id : templateIds) {
        const std::optional<std::string> templatePage = templates.LoadPageTemplate(id);
        FUZZ_CHECK(templatePage.has_value());
        const std::set<std::string> names = TagNames(*templatePage);
        allowed.insert(names.begin(), names.end());
    }
    for (const std::string* markup : {&BuyerSealTag(), &SupplierSealTag(), &TextSealBox()}) {
        const std::set<std::string> names = TagNames(*markup);
        allowed.insert(names.begin(), names.end());
    }
    allowed.insert("br");
    for (const std::string& name : TagNames(page)) FUZZ_CHECK(allowed.count(name) == 1);
}

}  // namespace ledgra::fuzz
