#include "render/NodeReading.h"

namespace ledgra {

std::string RequiredText(const XmlNode& node, const XPath& path) {
    return node.SelectNode(path).NodeText();
}

void AssignLastText(std::string& value, const XmlNode& node, const XPath& path) {
    if (const std::optional<XmlNode> last = node.SelectLastNode(path)) value = last->NodeText();
}

}  // namespace ledgra
