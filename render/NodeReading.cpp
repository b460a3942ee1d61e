#include "render/NodeReading.h"

namespace ledgra {

std::string RequiredText(const XmlNode& node, const XPath& path) {
    return node.SelectFirstText(path);
}

void AssignLastText(std::string& value, const XmlNode& node, const XPath& path) {
    if (std::optional<std::string> last = node.SelectLastText(path)) value = std::move(*last);
}

}  // namespace ledgra
