#include "tests/render/ContractTestSupport.h"

#include <algorithm>

#include "render/ContentPage.h"
#include "render/Contract.h"
#include "tests/support/SignedFixtures.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

constexpr std::string_view kBodyOpen = "{body:";
constexpr std::string_view kBetween = "}{list:";
constexpr std::string_view kEnd = "}";

std::string Element(std::string_view name, const std::optional<std::string>& text) {
    if (!text) return {};
    return "<" + std::string(name) + ">" + *text + "</" + std::string(name) + ">";
}

std::optional<std::string> Encoded(const std::optional<std::string>& bytes) {
    if (!bytes) return std::nullopt;
    return Base64Text(*bytes);
}

std::vector<std::string> SortedNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().native());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string ContractXml(const std::vector<DataArea>& areas) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"euc-kr\"?><DigitalContent>";
    for (const DataArea& area : areas) {
        xml += "<DataArea>" + Element("Document", Encoded(area.body)) +
               Element("FileCount", area.fileCount);
        for (const FileNode& file : area.files) {
            xml += "<File>" + Element("File.Name", Encoded(file.name)) +
                   Element("File.Content", Encoded(file.content)) + "</File>";
        }
        xml += "</DataArea>";
    }
    return xml + "</DigitalContent>";
}

ContractRendering::ContractRendering(bool builtInTemplates) : logFolder(folder.Path() / "Logs") {
    std::filesystem::create_directory(logFolder);
    frame.m_strLogFolder = logFolder.native() + "/";
    if (builtInTemplates) return;
    const std::filesystem::path probes = folder.Path() / "templates";
    std::filesystem::create_directory(probes);
    folder.Write("templates/188.html", std::string(kBodyOpen) + ":계약서내용:"_cp949 +
                                           std::string(kBetween) + ":첨부파일:"_cp949 +
                                           std::string(kEnd));
    folder.Write("templates/208.html", "[" + ":내용:"_cp949 + "]");
    templates = PageTemplates(probes);
}

std::string ContractRendering::RenderContract(const std::string& content) {
    RenderContext context{frame, profile, templates, ui};
    const std::filesystem::path document = folder.Path() / "contract.kcx";
    return ledgra::RenderContract(context, RenderInput{document, content});
}

std::string ContractRendering::RenderContentPage(const std::string& content) {
    RenderContext context{frame, profile, templates, ui};
    const std::filesystem::path document = folder.Path() / "content.cqs";
    return ledgra::RenderContentPage(context, RenderInput{document, content});
}

std::string ContractRendering::BodyCell(const std::string& page) {
    if (!page.starts_with(kBodyOpen)) return "<no page>";
    const std::size_t between = page.rfind(kBetween);
    return page.substr(kBodyOpen.size(), between - kBodyOpen.size());
}

std::string ContractRendering::ListCell(const std::string& page) {
    const std::size_t between = page.rfind(kBetween);
    if (between == std::string::npos) return "<no page>";
    const std::size_t begin = between + kBetween.size();
    return page.substr(begin, page.size() - kEnd.size() - begin);
}

std::vector<std::string> ContractRendering::LogFiles() const {
    return SortedNames(logFolder);
}

std::vector<std::string> ContractRendering::FolderEntries() const {
    return SortedNames(folder.Path());
}

}  // namespace ledgra::testing
