#pragma once
// The reading rules the XML renderers share: a required value, the last of repeated values,
// and a walk over the nodes of a query in document order.

#include <string>

#include "render/XmlDocument.h"

namespace ledgra {

// The text of the first node `path` selects; a missing node throws XmlAccessError.
std::string RequiredText(const XmlNode& node, const XPath& path);

// Every node `path` selects replaces the value in turn, so the last one counts; without any
// node the value is left as it was.
void AssignLastText(std::string& value, const XmlNode& node, const XPath& path);

template <typename Visit>
void ForEachNode(const XmlNodeList& nodes, Visit visit) {
    const long count = nodes.ListLength();
    for (long i = 0; i < count; ++i) visit(nodes.ListItem(i));
}

}  // namespace ledgra
