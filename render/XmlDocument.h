#pragma once
// Read access to an XML document: the seven operations the renderers use, over libxml2.
//
// Texts come back as code page 949 (characters outside it become "?"), untrimmed. XPath
// expressions are UTF-8 (they hold only ASCII names in practice). Unprefixed names in an
// expression match elements in no namespace and in the document element's default namespace,
// so the standard schema's paths such as "//TaxInvoice/TaxInvoiceDocument" work on real
// documents; prefixed elements such as ds:Signature never match an unprefixed name.
//
// Parsing is hardened for hostile files: no network, no DTD loading, no entity substitution,
// any document that carries a DTD is refused, nesting depth and input size are bounded.

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ledgra {

// A missing document, node or list item, or a failing query: the renderers do not catch it;
// the verification run does.
class XmlAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class XmlNode;
class XmlNodeList;

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Loads a file, honouring its encoding declaration and byte-order mark. False when the
    // file cannot be read or does not parse; the document is then empty.
    bool LoadXmlFile(const std::filesystem::path& path);
    // Loads code page 949 text. False when it does not parse; the document is then empty.
    bool LoadXmlText(std::string_view cp949Text);

    // Every node the expression selects, asked on the document; an empty document gives an
    // empty list.
    XmlNodeList SelectNodes(std::string_view xpath) const;
    // The first node the expression selects; throws XmlAccessError when there is none.
    XmlNode SelectNode(std::string_view xpath) const;

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

// A node of a loaded document; valid while its document lives.
class XmlNode {
public:
    // Every node the expression selects with this node as context. An expression that begins
    // with "//" searches the whole document.
    XmlNodeList SelectNodes(std::string_view xpath) const;
    // The first such node; throws XmlAccessError when there is none.
    XmlNode SelectNode(std::string_view xpath) const;
    // The node's text content (all descendant text), code page 949, untrimmed.
    std::string NodeText() const;

private:
    friend class XmlDocument;
    friend class XmlNodeList;
    XmlNode(std::shared_ptr<XmlDocument::Impl> doc, void* node) : m_doc(std::move(doc)), m_node(node) {}
    std::shared_ptr<XmlDocument::Impl> m_doc;
    void* m_node;
};

class XmlNodeList {
public:
    long ListLength() const;
    // Item i, from 0; throws XmlAccessError when i is out of range.
    XmlNode ListItem(long i) const;

private:
    friend class XmlDocument;
    friend class XmlNode;
    struct Nodes;
    std::shared_ptr<XmlDocument::Impl> m_doc;
    std::shared_ptr<Nodes> m_nodes;
};

}  // namespace ledgra
