#include "render/XmlDocument.h"

#include <libxml/xpathInternals.h>

#include <algorithm>
#include <string>

#include "render/XmlLibrary.h"
#include "render/XmlParsing.h"
#include "render/XmlTree.h"
#include "text/Cp949.h"

namespace ledgra {

namespace {

[[noreturn]] void ThrowNoMatch(const XPath& xpath) {
    throw XmlAccessError("no node matches \"" + xpath.Expression() + "\"");
}

xmlNode* DocumentNode(XmlTree& tree) {
    return reinterpret_cast<xmlNode*>(tree.doc.get());
}

// A node's text content (all descendant text), code page 949, untrimmed.
std::string TextOf(const xmlNode* node) {
    // Most values are an element holding one text: read in place, not gathered into a copy.
    const xmlNode* only = node->type == XML_ELEMENT_NODE ? node->children : nullptr;
    XmlCharPtr gathered;
    const xmlChar* content = nullptr;
    if (only != nullptr && only->next == nullptr && only->type == XML_TEXT_NODE) {
        content = only->content;
    } else {
        gathered.reset(xmlNodeGetContent(node));
        content = gathered.get();
    }
    if (content == nullptr) return {};
    const std::string_view utf8(reinterpret_cast<const char*>(content));
    // Most values are ASCII, which code page 949 writes the same way: no conversion needed.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::string(utf8);
    }
    return Cp949FromUtf8(utf8);
}

}  // namespace

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;

// A new load never frees the tree under nodes and lists taken earlier: they keep the old one.
bool XmlDocument::LoadXmlBytes(std::string_view fileBytes) {
    m_tree.reset();
    XmlDocPtr doc = ParseXmlFileBytes(fileBytes);
    if (!doc) return false;
    m_tree = std::make_shared<XmlTree>(std::move(doc));
    return true;
}

bool XmlDocument::LoadXmlBytes(std::string_view fileBytes, const ParsedXml* parsed) {
    if (parsed == nullptr || !*parsed) return LoadXmlBytes(fileBytes);
    m_tree = parsed->m_tree;
    return true;
}

bool XmlDocument::LoadXmlText(std::string_view cp949Text) {
    m_tree.reset();
    XmlDocPtr doc = ParseXmlCp949Text(cp949Text);
    if (!doc) return false;
    m_tree = std::make_shared<XmlTree>(std::move(doc));
    return true;
}

XmlNodeList XmlDocument::SelectNodes(const XPath& xpath) const {
    if (!m_tree) return XmlNodeList();
    return XmlNodeList(m_tree, xpath.Select(*m_tree, DocumentNode(*m_tree)));
}

XmlNodeList XmlDocument::SelectNodes(std::string_view xpath) const {
    return SelectNodes(XPath(xpath));
}

XmlNode XmlDocument::SelectNode(const XPath& xpath) const {
    xmlNode* first = m_tree ? xpath.SelectFirst(*m_tree, DocumentNode(*m_tree)) : nullptr;
    if (first == nullptr) ThrowNoMatch(xpath);
    return XmlNode(m_tree, first);
}

XmlNode XmlDocument::SelectNode(std::string_view xpath) const {
    return SelectNode(XPath(xpath));
}

XmlNodeList XmlNode::SelectNodes(const XPath& xpath) const {
    return XmlNodeList(m_tree, xpath.Select(*m_tree, m_node));
}

XmlNodeList XmlNode::SelectNodes(std::string_view xpath) const {
    return SelectNodes(XPath(xpath));
}

XmlNode XmlNode::SelectNode(const XPath& xpath) const {
    xmlNode* first = xpath.SelectFirst(*m_tree, m_node);
    if (first == nullptr) ThrowNoMatch(xpath);
    return XmlNode(m_tree, first);
}

std::string XmlNode::SelectFirstText(const XPath& xpath) const {
    xmlNode* first = xpath.SelectFirst(*m_tree, m_node);
    if (first == nullptr) ThrowNoMatch(xpath);
    return TextOf(first);
}

std::optional<std::string> XmlNode::SelectLastText(const XPath& xpath) const {
    xmlNode* last = xpath.SelectLast(*m_tree, m_node);
    if (last == nullptr) return std::nullopt;
    return TextOf(last);
}

XmlNode XmlNode::SelectNode(std::string_view xpath) const {
    return SelectNode(XPath(xpath));
}

std::string XmlNode::NodeText() const {
    return TextOf(m_node);
}

long XmlNodeList::ListLength() const {
    return static_cast<long>(m_nodes.size());
}

XmlNode XmlNodeList::ListItem(long i) const {
    if (i < 0 || i >= ListLength()) {
        throw XmlAccessError("list item " + std::to_string(i) + " of " +
                             std::to_string(ListLength()) + " does not exist");
    }
    return XmlNode(m_tree, m_nodes[static_cast<std::size_t>(i)]);
}

const std::vector<xmlNode*>& XmlTree::Elements() {
    if (m_gathered) return m_elements;
    m_gathered = true;
    m_elements.reserve(256);  // a typical document's; larger ones grow from there
    xmlNode* const root = reinterpret_cast<xmlNode*>(doc.get());
    xmlNode* node = root->children;
    while (node != nullptr) {
        if (node->type == XML_ELEMENT_NODE) {
            m_elements.push_back(node);
            if (node->children != nullptr) {
                node = node->children;
                continue;
            }
        }
        while (node != root && node->next == nullptr) node = node->parent;
        node = node == root ? nullptr : node->next;
    }
    return m_elements;
}

void XmlTree::NumberElements() {
    if (m_numbered) return;
    m_numbered = true;
    xmlXPathOrderDocElems(doc.get());
}

}  // namespace ledgra
