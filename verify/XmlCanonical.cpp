#include "verify/XmlCanonical.h"

#include <libxml/c14n.h>
#include <libxml/tree.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace ledgra {
namespace {

// Marks kept in a node's _private field.
enum Mark : std::uintptr_t {
    kUnsignedSubtree = 1,  // in an ExchangedDocument or ds:Signature subtree
    kUnsignedElement = 2,  // the root TaxInvoice element itself
    kInSignedInfo = 4,     // SignedInfo or below it
};

std::uintptr_t MarksOf(const xmlNode* node) {
    return node ? reinterpret_cast<std::uintptr_t>(node->_private) : 0;
}

void AddMark(xmlNode* node, std::uintptr_t mark) {
    node->_private = reinterpret_cast<void*>(MarksOf(node) | mark);
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

std::optional<std::string> Canonicalise(xmlDoc* document, xmlC14NIsVisibleCallback visible,
                                        void* data) {
    std::unique_ptr<xmlOutputBuffer, OutputBufferDeleter> output(xmlAllocOutputBuffer(nullptr));
    if (!output) return std::nullopt;
    if (xmlC14NExecute(document, visible, data, XML_C14N_1_0, nullptr, 0, output.get()) < 0) {
        return std::nullopt;
    }
    const xmlChar* bytes = xmlOutputBufferGetContent(output.get());
    const std::size_t size = xmlOutputBufferGetSize(output.get());
    return std::string(reinterpret_cast<const char*>(bytes), size);
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
                                                 xmlNode* signedInfo) {
    xmlNode* const root = xmlDocGetRootElement(document);
    bool sound = true;
    int namespaces = 0;
    ForEachNode(root, [&](xmlNode* node) {
        node->_private = nullptr;
        if (node->type == XML_ELEMENT_NODE) {
            for (const xmlNs* ns = node->nsDef; ns; ns = ns->next) ++namespaces;
        }
        if (node->parent != nullptr && node->parent->type == XML_ELEMENT_NODE &&
            (MarksOf(node->parent) & kUnsignedSubtree)) {
            AddMark(node, kUnsignedSubtree);
        }
        if (node->parent != nullptr && node->parent->type == XML_ELEMENT_NODE &&
            (MarksOf(node->parent) & kInSignedInfo)) {
            AddMark(node, kInSignedInfo);
        }
        if (HasName(node, "ExchangedDocument") || node == signature) {
            AddMark(node, kUnsignedSubtree);
        }
        if (node == signedInfo) AddMark(node, kInSignedInfo);
        if (HasName(node, "TaxInvoice")) {
            if (node == root) {
                AddMark(node, kUnsignedElement);
            } else {
                sound = false;
            }
        }
    });
    if (!sound || namespaces > kMaxNamespaceDeclarations) return std::nullopt;
    return SignedNodeSet(document);
}

std::optional<std::string> SignedNodeSet::Reference(CanonicalReading reading) const {
    ReferenceContext context{xmlDocGetRootElement(m_document), reading};
    return Canonicalise(m_document, InReference, &context);
}

std::optional<std::string> SignedNodeSet::SignedInfo() const {
    return Canonicalise(m_document, InSignedInfo, nullptr);
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
