#include "render/NodeReading.h"

namespace ledgra {

std::string RequiredText(const XmlNode& node, const XPath& path) {
    return node.SelectNode(path).NodeText();
}

void AssignLastText(std::string& value, const XmlNode& node, const XPath& path) {
    const XmlNodeList nodes = node.SelectNodes(path);
    const long count = nodes.ListLength();
    if (count > 0) value = nodes.ListItem(count - 1).NodeText();
}

}  // namespace ledgra
