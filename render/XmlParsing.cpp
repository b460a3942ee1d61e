#include "render/XmlParsing.h"

#include <libxml/SAX2.h>

#include <algorithm>
#include <array>
#include <climits>
#include <vector>

#include "render/XmlTree.h"
#include "text/ByteString.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Korean Windows reads every one of these names (compared in upper case) as code page 949.
constexpr std::array<std::string_view, 14> kKoreanEncodingNames = {
    "EUC-KR",        "CSEUCKR",    "KS_C_5601-1987", "KS_C_5601-1989", "KS_C_5601", "KSC_5601",
    "KSC5601",       "ISO-IR-149", "KOREAN",         "CSKSC56011987",  "CP949",     "WINDOWS-949",
    "X-WINDOWS-949", "UHC"};

// The encoding name of the XML declaration at the very start of the bytes; empty when there
// is none.
std::string_view DeclaredEncoding(std::string_view bytes) {
    if (!bytes.starts_with("<?xml")) return {};
    std::string_view declaration = bytes.substr(0, std::min(bytes.find("?>"), std::size_t{512}));
    std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return {};
    std::string_view rest = declaration.substr(at + 8);
    auto skipBlanks = [&rest] {
        while (!rest.empty() &&
               (rest[0] == ' ' || rest[0] == '\t' || rest[0] == '\r' || rest[0] == '\n')) {
            rest.remove_prefix(1);
        }
    };
    skipBlanks();
    if (!rest.starts_with('=')) return {};
    rest.remove_prefix(1);
    skipBlanks();
    if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return {};
    std::size_t end = rest.find(rest[0], 1);
    return end == std::string_view::npos ? std::string_view{} : rest.substr(1, end - 1);
}

bool IsKoreanEncoding(std::string_view name) {
    return std::find(kKoreanEncodingNames.begin(), kKoreanEncodingNames.end(),
                     ToUpperAscii(name)) != kKoreanEncodingNames.end();
}

// A document type declaration is refused the moment the parser meets it, before any of its
// entity declarations is read: an entity referenced many times would pass the parser and
// explode later, and nothing the viewer reads has one.
void RefuseDocumentType(void* parserContext, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(parserContext);
    ctxt->wellFormed = 0;
    xmlStopParser(ctxt);
}

enum class Encoding {
    AsDeclared,  // byte-order mark, then encoding declaration, else UTF-8
    Utf8,        // UTF-8, whatever the document declares
};

// What a tree may grow to. The parser's own limits are lifted (XML_PARSE_HUGE) so that a single
// text node may hold a large attachment up to the input cap; these take their place.
struct TreeBudget {
    std::size_t nodes = 0;
    int depth = 0;
    bool exceeded = false;
    XmlNamespaces namespaces = XmlNamespaces::AsWritten;
};

TreeBudget& BudgetOf(void* parserContext) {
    return *static_cast<TreeBudget*>(static_cast<xmlParserCtxtPtr>(parserContext)->_private);
}

// Charges `nodes` nodes to the tree; past the limit the parse stops and fails.
bool Charge(void* parserContext, std::size_t nodes) {
    TreeBudget& budget = BudgetOf(parserContext);
    budget.nodes += nodes;
    if (budget.nodes > kMaxXmlNodes || budget.depth > kMaxXmlDepth) {
        budget.exceeded = true;
        auto* ctxt = static_cast<xmlParserCtxtPtr>(parserContext);
        ctxt->wellFormed = 0;
        xmlStopParser(ctxt);
        return false;
    }
    return true;
}

// An element costs one node, each attribute two (the attribute and its text), each namespace
// declaration one.
void CountedStartElement(void* ctxt, const xmlChar* localname, const xmlChar* prefix,
                         const xmlChar* uri, int namespaceCount, const xmlChar** namespaces,
                         int attributeCount, int defaulted, const xmlChar** attributes) {
    ++BudgetOf(ctxt).depth;
    if (!Charge(ctxt, 1 + static_cast<std::size_t>(namespaceCount) +
                          2 * static_cast<std::size_t>(attributeCount))) {
        return;
    }
    xmlSAX2StartElementNs(ctxt, localname, prefix, uri, namespaceCount, namespaces, attributeCount,
                          defaulted, attributes);
    // The renderers' XPaths name elements without a prefix; XPath 1.0 matches such a name only
    // in no namespace. So every element written without a prefix leaves its default namespace
    // as it is made, and prefixed elements (ds:Signature and its children) keep theirs and stay
    // out of reach. (Where the parser looks a namespace up in the elements above, it finds it
    // among their declarations, which stay as written.)
    xmlNode* const element = static_cast<xmlParserCtxtPtr>(ctxt)->node;
    if (BudgetOf(ctxt).namespaces == XmlNamespaces::DetachDefault && element != nullptr &&
        element->ns != nullptr && element->ns->prefix == nullptr) {
        element->ns = nullptr;
    }
}

void CountedEndElement(void* ctxt, const xmlChar* localname, const xmlChar* prefix,
                       const xmlChar* uri) {
    --BudgetOf(ctxt).depth;
    xmlSAX2EndElementNs(ctxt, localname, prefix, uri);
}

// The parser hands text over in pieces; each piece counts as a node, which bounds the nodes
// from above.
void CountedCharacters(void* ctxt, const xmlChar* text, int length) {
    if (Charge(ctxt, 1)) xmlSAX2Characters(ctxt, text, length);
}

void CountedCdata(void* ctxt, const xmlChar* text, int length) {
    if (Charge(ctxt, 1)) xmlSAX2CDataBlock(ctxt, text, length);
}

void CountedComment(void* ctxt, const xmlChar* text) {
    if (Charge(ctxt, 1)) xmlSAX2Comment(ctxt, text);
}

void CountedProcessingInstruction(void* ctxt, const xmlChar* target, const xmlChar* data) {
    if (Charge(ctxt, 1)) xmlSAX2ProcessingInstruction(ctxt, target, data);
}

void InstallBudget(xmlParserCtxt& ctxt, TreeBudget& budget) {
    ctxt._private = &budget;
    xmlSAXHandler& sax = *ctxt.sax;
    sax.startElementNs = CountedStartElement;
    sax.endElementNs = CountedEndElement;
    sax.characters = CountedCharacters;
    sax.ignorableWhitespace = CountedCharacters;
    sax.cdataBlock = CountedCdata;
    sax.comment = CountedComment;
    sax.processingInstruction = CountedProcessingInstruction;
}

// Whether the attribute whose "=" is at `equals` declares a namespace ("xmlns", "xmlns:p").
bool IsNamespaceDeclaration(std::string_view bytes, std::size_t equals) {
    std::size_t end = equals;
    while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\t' || bytes[end - 1] == '\r' ||
                       bytes[end - 1] == '\n')) {
        --end;
    }
    std::size_t begin = end;
    while (begin > 0 && bytes[begin - 1] != ' ' && bytes[begin - 1] != '\t' &&
           bytes[begin - 1] != '\r' && bytes[begin - 1] != '\n' && bytes[begin - 1] != '<') {
        --begin;
    }
    const std::string_view name = bytes.substr(begin, end - begin);
    return name == "xmlns" || name.starts_with("xmlns:");
}

// The bytes a look at a start tag stops at; a tag is mostly names, passed over one table look
// per byte.
constexpr std::array<bool, 256> kStartTagStops = [] {
    std::array<bool, 256> stops{};
    for (const unsigned char c : {'"', '\'', '=', '>'}) stops[c] = true;
    return stops;
}();

bool IsStartTagStop(char c) {
    return kStartTagStops[static_cast<unsigned char>(c)];
}

// The parser compares each attribute of an element with every earlier one and looks a prefix
// up among all declarations in scope, so both costs grow with the square of what elements
// carry. One linear look at the markup refuses documents past kMaxXmlAttributesPerElement or
// kMaxXmlNamespacesInScope before the parser sees them. Malformed markup is left to the parser.
bool MarkupWithinLimits(std::string_view bytes) {
    constexpr auto npos = std::string_view::npos;
    // Every attribute and declaration has its "=": a document with few of them anywhere is
    // within both limits, which most are, and a search for "=" passes over it much faster.
    constexpr int kFewEquals = std::min(kMaxXmlAttributesPerElement, kMaxXmlNamespacesInScope);
    int equals = 0;
    for (std::size_t at = bytes.find('='); at != npos && equals <= kFewEquals;
         at = bytes.find('=', at + 1)) {
        ++equals;
    }
    if (equals <= kFewEquals) return true;
    std::vector<int> openDeclarations;
    int inScope = 0;
    auto skipPast = [&bytes](std::size_t from, std::string_view end) {
        const std::size_t at = bytes.find(end, from);
        return at == npos ? npos : at + end.size();
    };
    for (std::size_t at = bytes.find('<'); at != npos; at = bytes.find('<', at)) {
        const std::string_view rest = bytes.substr(at);
        if (rest.starts_with("<!--")) {
            at = skipPast(at + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            at = skipPast(at + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            at = skipPast(at + 2, "?>");
        } else if (rest.starts_with("<!")) {
            at = skipPast(at + 2, ">");
        } else if (rest.starts_with("</")) {
            if (!openDeclarations.empty()) {
                inScope -= openDeclarations.back();
                openDeclarations.pop_back();
            }
            at = skipPast(at + 2, ">");
        } else {
            int attributes = 0;
            int declarations = 0;
            std::size_t end = at + 1;
            while (end < bytes.size()) {
                const char c = bytes[end];
                if (!IsStartTagStop(c)) {
                    ++end;
                } else if (c == '>') {
                    break;
                } else if (c == '=') {
                    ++attributes;
                    if (IsNamespaceDeclaration(bytes, end)) ++declarations;
                    ++end;
                } else {  // a quoted value, which may hold any of the stops
                    const std::size_t close = bytes.find(c, end + 1);
                    end = close == npos ? bytes.size() : close + 1;
                }
            }
            if (attributes > kMaxXmlAttributesPerElement ||
                inScope + declarations > kMaxXmlNamespacesInScope) {
                return false;
            }
            if (end < bytes.size() && bytes[end - 1] != '/') {
                openDeclarations.push_back(declarations);
                inScope += declarations;
            }
            at = end;
        }
        if (at == npos) break;
    }
    return true;
}

// Sets the reason of a failed parse, when the caller asked for one, and gives the null result.
XmlDocPtr Failed(std::string* why, std::string reason) {
    if (why != nullptr) *why = std::move(reason);
    return nullptr;
}

XmlDocPtr ParseHardened(std::string_view bytes, Encoding encoding, XmlNamespaces namespaces,
                        std::string* why) {
    if (bytes.empty()) return Failed(why, "empty document");
    // Converted text may grow past the cap the callers hold the input to; libxml2 takes an int.
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) return Failed(why, "document too large");
    // libxml2 would take a leading NUL for UTF-16 or UCS-4; no XML document holds one.
    if (encoding == Encoding::Utf8 && bytes.find('\0') != std::string_view::npos) {
        return Failed(why, "NUL byte in the document");
    }
    if (!MarkupWithinLimits(bytes)) return Failed(why, "too many attributes or namespaces");
    PrepareXmlLibrary();
    XmlErrorCapture errors;
    XmlParserCtxtPtr ctxt(xmlNewParserCtxt());
    if (!ctxt) return Failed(why, "out of memory");
    ctxt->sax->internalSubset = RefuseDocumentType;
    TreeBudget budget;
    budget.namespaces = namespaces;
    InstallBudget(*ctxt, budget);
    // No XML_PARSE_NOENT, DTDLOAD or DTDATTR: entities stay unexpanded and nothing external is
    // loaded. XML_PARSE_HUGE only lifts the text and name lengths (bounded by the input cap)
    // and the nesting depth, which the budget bounds instead.
    int options = XML_PARSE_NONET | XML_PARSE_HUGE;
    // UTF-8 is never named to the parser: that would route the whole input through a
    // converter, which libxml2 refuses past 10 MB. Unnamed, UTF-8 is its native reading, and
    // XML_PARSE_IGNORE_ENC keeps a declaration from switching away from it.
    if (encoding == Encoding::Utf8) options |= XML_PARSE_IGNORE_ENC;
    // The renderers only read their tree: short texts may live inside their nodes, which
    // spares an allocation each (a tree kept as written may be edited, so it keeps them apart).
    if (namespaces == XmlNamespaces::DetachDefault) options |= XML_PARSE_COMPACT;
    XmlDocPtr doc(xmlCtxtReadMemory(ctxt.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, nullptr, options));
    if (budget.exceeded) return Failed(why, "too many nodes or too deep");
    if (doc && (doc->intSubset != nullptr || doc->extSubset != nullptr)) {
        return Failed(why, "document type declaration");
    }
    if (!doc || !ctxt->wellFormed || xmlDocGetRootElement(doc.get()) == nullptr) {
        return Failed(why, errors.FirstError().empty() ? "not well-formed" : errors.FirstError());
    }
    return doc;
}

}  // namespace

XmlDocPtr ParseXmlFileBytes(std::string_view bytes, XmlNamespaces namespaces, std::string* why) {
    // The cap holds for the bytes as given, before a conversion could grow them.
    if (bytes.size() > kMaxXmlDocumentBytes) return Failed(why, "document over 64 MiB");
    // With a UTF-8 byte-order mark the declaration does not count.
    if (bytes.starts_with(kUtf8Bom)) return ParseHardened(bytes, Encoding::Utf8, namespaces, why);
    if (IsKoreanEncoding(DeclaredEncoding(bytes))) {
        return ParseHardened(Utf8FromCp949(bytes), Encoding::Utf8, namespaces, why);
    }
    return ParseHardened(bytes, Encoding::AsDeclared, namespaces, why);
}

XmlDocPtr DetachDefaultNamespaces(XmlDocPtr asWritten) {
    // As the parse does it as it makes each element; the declarations stay as written.
    xmlNode* node = xmlDocGetRootElement(asWritten.get());
    while (node != nullptr) {
        if (node->type == XML_ELEMENT_NODE && node->ns != nullptr && node->ns->prefix == nullptr) {
            node->ns = nullptr;
        }
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != nullptr && node->next == nullptr) {
            node = node->parent;
            if (node != nullptr && node->type == XML_DOCUMENT_NODE) node = nullptr;
        }
        if (node != nullptr) node = node->next;
    }
    return asWritten;
}

ParsedXml KeepParsedXml(std::size_t fileBytes, XmlDocPtr asWritten) {
    if (fileBytes > kMaxKeptXmlBytes || !asWritten) return {};
    // libxml2 spends some 120 bytes on a node, for about a dozen bytes of markup.
    return {std::make_shared<XmlTree>(DetachDefaultNamespaces(std::move(asWritten))),
            fileBytes * 10};
}

XmlDocPtr ParseXmlCp949Text(std::string_view text) {
    if (text.size() > kMaxXmlDocumentBytes) return nullptr;
    return ParseHardened(Utf8FromCp949(text), Encoding::Utf8, XmlNamespaces::DetachDefault,
                         nullptr);
}

}  // namespace ledgra
