#include "verify/XmlCanonical.h"

#include <libxml/c14n.h>
#include <libxml/tree.h>
#include <libxml/uri.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace ledgra {
namespace {

// Marks kept in a node's low _private bits; above them, for an element, its depth and the
// namespace declarations in scope, which the work estimate needs from the parent.
enum Mark : std::uintptr_t {
    kUnsignedSubtree = 1,  // in an ExchangedDocument or ds:Signature subtree
    kUnsignedElement = 2,  // the root TaxInvoice element itself
    kInSignedInfo = 4,     // SignedInfo or below it
    kMarkBits = 7,
};
constexpr int kDepthShift = 8;
constexpr int kScopeShift = 20;
constexpr std::uintptr_t kFieldMask = 0xFFF;

// Stands for a relative namespace address that nothing signed inherits.
constexpr const char* kUnsignedNamespacePlaceholder = "urn:x-ledgra:unsigned-relative-namespace";

std::uintptr_t MarksOf(const xmlNode* node) {
    return node ? reinterpret_cast<std::uintptr_t>(node->_private) & kMarkBits : 0;
}

std::uintptr_t DepthOf(const xmlNode* node) {
    return node ? (reinterpret_cast<std::uintptr_t>(node->_private) >> kDepthShift) & kFieldMask
                : 0;
}

std::uintptr_t ScopeOf(const xmlNode* node) {
    return node ? (reinterpret_cast<std::uintptr_t>(node->_private) >> kScopeShift) & kFieldMask
                : 0;
}

// What canonical XML 1.0 cannot print: a namespace address without a scheme (libxml2's test).
bool IsRelativeNamespace(const xmlNs* ns) {
    if (ns->href == nullptr || ns->href[0] == '\0') return false;
    std::unique_ptr<xmlURI, decltype(&xmlFreeURI)> uri(xmlParseURI(
                                                            reinterpret_cast<const char*>(ns->href)),
                                                        xmlFreeURI);
    return uri == nullptr || uri->scheme == nullptr;
}

void AddMark(xmlNode* node, std::uintptr_t mark) {
    node->_private = reinterpret_cast<void*>(reinterpret_cast<std::uintptr_t>(node->_private) | mark);
}

bool HasName(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE && (node->ns == nullptr || node->ns->prefix == nullptr) &&
           std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

bool IsRootNamespace(const xmlNode* root, const xmlNs* ns) {
    for (const xmlNs* declared = root->nsDef; declared; declared = declared->next) {
        const bool samePrefix = (declared->prefix == nullptr && ns->prefix == nullptr) ||
                                (declared->prefix != nullptr && ns->prefix != nullptr &&
                                 std::strcmp(reinterpret_cast<const char*>(declared->prefix),
                                             reinterpret_cast<const char*>(ns->prefix)) == 0);
        if (samePrefix && std::strcmp(reinterpret_cast<const char*>(declared->href),
                                      reinterpret_cast<const char*>(ns->href)) == 0) {
            return true;
        }
    }
    return false;
}

struct ReferenceContext {
    const xmlNode* root;
    CanonicalReading reading;
};

// Whether a node is in the signed node set, as the canonicalisation asks it: for a namespace
// or attribute node `parent` is its element.
int InReference(void* data, xmlNode* node, xmlNode* parent) {
    const auto& context = *static_cast<const ReferenceContext*>(data);
    if (node == nullptr) return 0;
    switch (node->type) {
        case XML_NAMESPACE_DECL:
            if (MarksOf(parent) & kUnsignedSubtree) return 0;
            // The Java reading prints the root's declarations once, on their own.
            return context.reading == CanonicalReading::Strict || parent == context.root ||
                   !IsRootNamespace(context.root, reinterpret_cast<const xmlNs*>(node));
        case XML_ATTRIBUTE_NODE:
            if (MarksOf(parent) & kUnsignedSubtree) return 0;
            return context.reading == CanonicalReading::Strict || parent != context.root;
        default:
            return (MarksOf(node) & (kUnsignedSubtree | kUnsignedElement)) == 0;
    }
}

int InSignedInfo(void*, xmlNode* node, xmlNode* parent) {
    if (node == nullptr) return 0;
    const bool ownNode = node->type == XML_NAMESPACE_DECL || node->type == XML_ATTRIBUTE_NODE;
    return (MarksOf(ownNode ? parent : node) & kInSignedInfo) != 0;
}

struct OutputBufferDeleter {
    void operator()(xmlOutputBuffer* buffer) const { xmlOutputBufferClose(buffer); }
};

int WriteToSink(void* sink, const char* bytes, int length) {
    if (length < 0) return -1;
    const bool taken =
        (*static_cast<const CanonicalSink*>(sink))(std::string_view(bytes, std::size_t(length)));
    return taken ? length : -1;
}

// Streams the canonical form: the reference digest needs no copy of a large document.
bool Canonicalise(xmlDoc* document, xmlC14NIsVisibleCallback visible, void* data,
                  const CanonicalSink& sink) {
    std::unique_ptr<xmlOutputBuffer, OutputBufferDeleter> output(xmlOutputBufferCreateIO(
        WriteToSink, nullptr, const_cast<CanonicalSink*>(&sink), nullptr));
    if (!output) return false;
    if (xmlC14NExecute(document, visible, data, XML_C14N_1_0, nullptr, 0, output.get()) < 0) {
        return false;
    }
    return xmlOutputBufferFlush(output.get()) >= 0 && output->error == 0;
}

// libxml2's work on one element (see kMaxCanonicalWork): the walk up its ancestors, for each
// declaration in scope a look-up through them and through those already printed, and the
// sorting of its attributes into a list, one insertion at a time.
std::size_t CanonicalWork(std::size_t depth, std::size_t inScope, std::size_t attributes) {
    return depth + inScope * (depth + inScope) + attributes * attributes / 2;
}

// Visits every node below `top` (attributes excluded), `top` included, in document order.
template <typename Visit>
void ForEachNode(xmlNode* top, Visit visit) {
    for (xmlNode* node = top; node != nullptr;) {
        visit(node);
        if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
            node = node->children;
            continue;
        }
        while (node != top && node->next == nullptr) node = node->parent;
        node = node == top ? nullptr : node->next;
    }
}

}  // namespace

std::optional<SignedNodeSet> SignedNodeSet::Mark(xmlDoc* document, xmlNode* signature,
                                                 xmlNode* signedInfo, std::string& refusal) {
    xmlNode* const root = xmlDocGetRootElement(document);
    std::vector<const xmlNode*> signedInfoAncestors;
    for (const xmlNode* node = signedInfo; node != nullptr; node = node->parent) {
        signedInfoAncestors.push_back(node);
    }
    auto inheritedBySignedInfo = [&](const xmlNode* node) {
        return std::find(signedInfoAncestors.begin(), signedInfoAncestors.end(), node) !=
               signedInfoAncestors.end();
    };
    refusal.clear();
    int namespaces = 0;
    std::size_t work = 0;
    ForEachNode(root, [&](xmlNode* node) {
        const xmlNode* parent =
            node->parent != nullptr && node->parent->type == XML_ELEMENT_NODE ? node->parent
                                                                              : nullptr;
        node->_private = nullptr;
        AddMark(node, MarksOf(parent) & (kUnsignedSubtree | kInSignedInfo));
        if (HasName(node, "ExchangedDocument") || node == signature) {
            AddMark(node, kUnsignedSubtree);
        }
        if (node == signedInfo) AddMark(node, kInSignedInfo);
        if (HasName(node, "TaxInvoice") && node != root) refusal = "nested TaxInvoice";
        if (HasName(node, "TaxInvoice") && node == root) AddMark(node, kUnsignedElement);
        if (node->type != XML_ELEMENT_NODE) return;

        std::uintptr_t inScope = ScopeOf(parent);
        for (xmlNs* ns = node->nsDef; ns; ns = ns->next) {
            ++namespaces;
            ++inScope;
            if (!IsRelativeNamespace(ns)) continue;
            if ((MarksOf(node) & kUnsignedSubtree) && !inheritedBySignedInfo(node)) {
                xmlFree(const_cast<xmlChar*>(ns->href));
                ns->href = xmlStrdup(reinterpret_cast<const xmlChar*>(kUnsignedNamespacePlaceholder));
            } else {
                refusal = "relative namespace URI";
            }
        }
        const std::uintptr_t depth = DepthOf(parent) + 1;
        AddMark(node, (std::min(depth, kFieldMask) << kDepthShift) |
                          (std::min(inScope, kFieldMask) << kScopeShift));
        std::size_t attributes = 0;
        for (const xmlAttr* attribute = node->properties; attribute; attribute = attribute->next) {
            ++attributes;
        }
        work += CanonicalWork(depth, inScope, attributes);
    });
    if (refusal.empty() && namespaces > kMaxNamespaceDeclarations) {
        refusal = "too many namespace declarations";
    }
    if (refusal.empty() && work > kMaxCanonicalWork) refusal = "too complex to canonicalise";
    if (!refusal.empty()) return std::nullopt;
    return SignedNodeSet(document);
}

bool SignedNodeSet::Reference(CanonicalReading reading, const CanonicalSink& sink) const {
    ReferenceContext context{xmlDocGetRootElement(m_document), reading};
    return Canonicalise(m_document, InReference, &context, sink);
}

std::optional<std::string> SignedNodeSet::SignedInfo() const {
    std::string canonical;
    const CanonicalSink append = [&canonical](std::string_view piece) {
        canonical += piece;
        return true;
    };
    if (!Canonicalise(m_document, InSignedInfo, nullptr, append)) return std::nullopt;
    return canonical;
}

void SignedNodeSet::RemoveUnsignedNodes() {
    xmlNode* const root = xmlDocGetRootElement(m_document);
    std::vector<xmlNode*> removed;
    ForEachNode(root, [&](xmlNode* node) {
        const bool inUnsigned = (MarksOf(node) & kUnsignedSubtree) != 0;
        const bool subtreeTop = inUnsigned && !(MarksOf(node->parent) & kUnsignedSubtree);
        if (subtreeTop || (!inUnsigned && node->type == XML_COMMENT_NODE)) {
            removed.push_back(node);
        }
    });
    for (xmlNode* node : removed) {
        xmlUnlinkNode(node);
        xmlFreeNode(node);
    }
    while (root->properties != nullptr) xmlRemoveProp(root->properties);
}

}  // namespace ledgra
