#pragma once
// Read access to an XML document: the seven operations the renderers use, over libxml2.
//
// Texts come back as code page 949 (characters outside it become "?"), untrimmed. XPath
// expressions are UTF-8 (they hold only ASCII names in practice). An unprefixed name in an
// expression matches the elements written without a prefix, whatever default namespace they
// are in, so the standard schema's paths such as "//TaxInvoice/TaxInvoiceDocument" work on
// real documents; prefixed elements such as ds:Signature never match an unprefixed name.
//
// Parsing is hardened for hostile files: no network, no DTD loading, no entity substitution,
// any document that carries a DTD is refused, nesting depth and input size are bounded.
//
// A document and the nodes and lists taken from it may be used from one thread at a time;
// different documents may be used on different threads at once.

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct _xmlNode;

namespace ledgra {

struct XmlTree;

// A missing document, node or list item, or a failing query: the renderers do not catch it;
// the verification run does.
class XmlAccessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Documents larger than this are not loaded (the parser holds every caller to it).
inline constexpr std::size_t kMaxXmlDocumentBytes = std::size_t{64} << 20;

// An XPath 1.0 expression compiled once. Cheap to copy and safe to share between threads, so
// a call site keeps one: `static const XPath kIssueId("IssueID");`.
class XPath {
public:
    // Throws XmlAccessError when the expression is not valid XPath 1.0.
    explicit XPath(std::string_view expression);

    const std::string& Expression() const;

private:
    friend class XmlDocument;
    friend class XmlNode;
    struct Compiled;
    // The nodes selected with `context` as the context node, in document order.
    std::vector<_xmlNode*> Select(XmlTree& tree, _xmlNode* context) const;
    // The first or the last of them without gathering the rest; null when there is none.
    _xmlNode* SelectFirst(XmlTree& tree, _xmlNode* context) const;
    _xmlNode* SelectLast(XmlTree& tree, _xmlNode* context) const;
    template <typename Take>
    void Walk(XmlTree& tree, _xmlNode* context, Take& take) const;
    std::vector<_xmlNode*> Evaluate(XmlTree& tree, _xmlNode* context) const;

    std::shared_ptr<Compiled> m_compiled;
};

class XmlNode;
class XmlNodeList;

// A document file's tree, made once and handed on with the bytes it was parsed from: the
// signature check parses a plain XML document, and its renderer and record reader then load
// this tree instead of parsing the same bytes again. Copies share the tree, which its readers
// use one at a time. Empty when no tree was kept.
// Made by KeepParsedXml (render/XmlParsing.h).
class ParsedXml {
public:
    ParsedXml() = default;
    ParsedXml(std::shared_ptr<XmlTree> tree, std::size_t bytes)
        : m_tree(std::move(tree)), m_bytes(bytes) {}

    explicit operator bool() const { return m_tree != nullptr; }
    // About the memory the tree holds.
    std::size_t Bytes() const { return m_bytes; }

private:
    friend class XmlDocument;

    std::shared_ptr<XmlTree> m_tree;
    std::size_t m_bytes = 0;
};

class XmlDocument {
public:
    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Loads the bytes of a document file held in memory, honouring its byte-order mark and
    // encoding declaration (a Korean encoding name such as "euc-kr" is read as code page 949).
    // False when they are too many or do not parse; the document is then empty. Documents are
    // never loaded by their path: the bytes are the ones that were read once and verified.
    bool LoadXmlBytes(std::string_view fileBytes);
    // The same, taking the tree kept in `parsed` when there is one: it must be the tree of
    // these very bytes.
    bool LoadXmlBytes(std::string_view fileBytes, const ParsedXml* parsed);
    // Loads code page 949 text; an encoding declaration inside the text is ignored. False
    // when it does not parse; the document is then empty.
    bool LoadXmlText(std::string_view cp949Text);

    // Every node the expression selects, asked on the document; an empty document gives an
    // empty list. Throws XmlAccessError for an invalid expression or one that does not give
    // a node set.
    XmlNodeList SelectNodes(const XPath& xpath) const;
    XmlNodeList SelectNodes(std::string_view xpath) const;
    // The first node the expression selects; throws XmlAccessError when there is none (also
    // on an empty document).
    XmlNode SelectNode(const XPath& xpath) const;
    XmlNode SelectNode(std::string_view xpath) const;

private:
    std::shared_ptr<XmlTree> m_tree;
};

// A node of a loaded document; keeps its document alive.
class XmlNode {
public:
    // Every node the expression selects with this node as context. An expression that begins
    // with "//" searches the whole document.
    XmlNodeList SelectNodes(const XPath& xpath) const;
    XmlNodeList SelectNodes(std::string_view xpath) const;
    // The first such node; throws XmlAccessError when there is none.
    XmlNode SelectNode(const XPath& xpath) const;
    XmlNode SelectNode(std::string_view xpath) const;
    // The texts of the first and of the last such node, as NodeText gives them, for readers
    // that want no more of the node. The first throws XmlAccessError when there is none.
    std::string SelectFirstText(const XPath& xpath) const;
    std::optional<std::string> SelectLastText(const XPath& xpath) const;
    // The node's text content (all descendant text), code page 949, untrimmed.
    std::string NodeText() const;

private:
    friend class XmlDocument;
    friend class XmlNodeList;
    XmlNode(std::shared_ptr<XmlTree> tree, _xmlNode* node)
        : m_tree(std::move(tree)), m_node(node) {}
    std::shared_ptr<XmlTree> m_tree;
    _xmlNode* m_node;
};

// The nodes a query selected, in document order; keeps their document alive.
class XmlNodeList {
public:
    // An empty list.
    XmlNodeList() = default;

    long ListLength() const;
    // Item i, from 0; throws XmlAccessError when i is out of range.
    XmlNode ListItem(long i) const;

private:
    friend class XmlDocument;
    friend class XmlNode;
    XmlNodeList(std::shared_ptr<XmlTree> tree, std::vector<_xmlNode*> nodes)
        : m_tree(std::move(tree)), m_nodes(std::move(nodes)) {}
    std::shared_ptr<XmlTree> m_tree;
    std::vector<_xmlNode*> m_nodes;
};

}  // namespace ledgra
