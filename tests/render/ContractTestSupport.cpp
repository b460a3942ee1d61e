#include "tests/render/ContractTestSupport.h"

#include "tests/support/SignedFixtures.h"
#include "text/Cp949.h"

namespace ledgra::testing {
namespace {

std::string Element(std::string_view name, const std::optional<std::string>& text) {
    if (!text) return {};
    return "<" + std::string(name) + ">" + *text + "</" + std::string(name) + ">";
}

std::optional<std::string> Encoded(const std::optional<std::string>& bytes) {
    if (!bytes) return std::nullopt;
    return Base64Text(*bytes);
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

}  // namespace ledgra::testing
