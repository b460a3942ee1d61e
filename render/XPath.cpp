#include <libxml/xpathInternals.h>

#include <algorithm>
#include <array>
#include <mutex>
#include <new>

#include "render/XmlDocument.h"
#include "render/XmlLibrary.h"
#include "render/XmlTree.h"

namespace ledgra {

struct XPath::Compiled {
    std::string expression;
    XmlXPathCompExprPtr program;
    // For a path of plain names such as "SpecifiedPerson/NameText" or "//Header/Parties", the
    // names: such a path is walked over the tree directly, which gives the same nodes in the
    // same order for a fraction of an XPath evaluation. Empty for every other expression.
    std::vector<std::string> names;
    bool anywhere = false;  // begins with "//": the first name is searched in the whole tree
    // libxml2 writes into a compiled expression while evaluating it (a function-call step
    // keeps the function it looked up on first use), so evaluations of one expression take
    // turns; different expressions evaluate in parallel.
    std::mutex evaluation;
};

namespace {

// One evaluation context per thread, reused: making one registers the whole function library,
// which would cost more than a typical query.
xmlXPathContext& ThreadXPathContext() {
    thread_local const XmlXPathContextPtr context = [] {
        PrepareXmlLibrary();
        XmlXPathContextPtr created(xmlXPathNewContext(nullptr));
        if (!created) throw std::bad_alloc();
        return created;
    }();
    return *context;
}

constexpr std::size_t kMaxWalkedNames = 8;

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The steps of "Name/Name/...", ASCII names without prefix; empty for any other expression
// (and for longer paths than the renderers ask).
std::vector<std::string> ChildNamePath(std::string_view expression) {
    std::vector<std::string> names;
    std::size_t begin = 0;
    while (names.size() < kMaxWalkedNames) {
        const std::size_t end = std::min(expression.find('/', begin), expression.size());
        const std::string_view name = expression.substr(begin, end - begin);
        if (name.empty() || !IsNameStart(name.front()) ||
            !std::all_of(name.begin(), name.end(), IsNameChar)) {
            return {};
        }
        names.emplace_back(name);
        if (end == expression.size()) return names;
        begin = end + 1;
    }
    return {};
}

// A plain-name path as one document spells its names. A parser that interns names (libxml2
// does unless told not to; the document then keeps the dictionary) gives every element name
// from it, so names compare by address, and a name missing from it names no element there.
struct DocumentNames {
    std::array<const xmlChar*, kMaxWalkedNames> names{};
    std::size_t count = 0;
    bool absent = false;

    DocumentNames(const xmlDoc& document, const std::vector<std::string>& path)
        : count(path.size()) {
        for (std::size_t i = 0; i < count; ++i) {
            names[i] =
                xmlDictExists(document.dict, reinterpret_cast<const xmlChar*>(path[i].data()),
                              static_cast<int>(path[i].size()));
            if (names[i] == nullptr) {
                absent = true;
                return;
            }
        }
    }
};

// Elements written without a prefix carry no namespace once loaded, which is what an
// unprefixed name test matches.
bool IsNamed(const xmlNode* node, const DocumentNames& path, std::size_t step) {
    return node != nullptr && node->type == XML_ELEMENT_NODE && node->ns == nullptr &&
           node->name == path.names[step];
}

// Offers `take` each element the child steps select from `context`, in document order, for as
// long as it asks for more; false once it stopped.
template <typename Take>
bool SelectChildren(xmlNode* context, const DocumentNames& path, std::size_t step, Take& take) {
    for (xmlNode* child = context->children; child != nullptr; child = child->next) {
        if (!IsNamed(child, path, step)) continue;
        const bool more =
            step + 1 == path.count ? take(child) : SelectChildren(child, path, step + 1, take);
        if (!more) return false;
    }
    return true;
}

// Whether `node` and its ancestors carry the names, the last name on `node`.
bool EndsPath(const xmlNode* node, const DocumentNames& path) {
    for (std::size_t step = path.count; step-- > 0; node = node->parent) {
        if (!IsNamed(node, path, step)) return false;
    }
    return true;
}

// "//A/B": every B whose parent is an A, in document order, offered to `take` as
// SelectChildren does.
template <typename Take>
void SelectAnywhere(XmlTree& tree, const DocumentNames& path, Take& take) {
    const xmlChar* const last = path.names[path.count - 1];
    for (xmlNode* node : tree.Elements()) {
        if (node->name == last && EndsPath(node, path) && !take(node)) return;
    }
}

std::string Quoted(const std::string& expression) {
    return "\"" + expression + "\"";
}

}  // namespace

XPath::XPath(std::string_view expression) : m_compiled(std::make_shared<Compiled>()) {
    m_compiled->expression.assign(expression);
    if (expression.find('\0') != std::string_view::npos) {
        throw XmlAccessError("XPath expression holds a NUL byte");
    }
    XmlErrorCapture errors;
    m_compiled->program.reset(xmlXPathCtxtCompile(
        &ThreadXPathContext(), reinterpret_cast<const xmlChar*>(m_compiled->expression.c_str())));
    if (!m_compiled->program) {
        throw XmlAccessError("invalid XPath expression " + Quoted(m_compiled->expression) + ": " +
                             errors.FirstError());
    }
    std::string_view path = m_compiled->expression;
    m_compiled->anywhere = path.starts_with("//");
    if (m_compiled->anywhere) path.remove_prefix(2);
    m_compiled->names = ChildNamePath(path);
}

const std::string& XPath::Expression() const {
    return m_compiled->expression;
}

// Plain-name paths are walked; every other expression is evaluated by libxml2.
template <typename Take>
void XPath::Walk(XmlTree& tree, xmlNode* context, Take& take) const {
    if (!m_compiled->names.empty() && tree.doc->dict != nullptr) {
        const DocumentNames path(*tree.doc, m_compiled->names);
        if (path.absent) return;
        if (m_compiled->anywhere) {
            SelectAnywhere(tree, path, take);
        } else {
            SelectChildren(context, path, 0, take);
        }
        return;
    }
    for (xmlNode* node : Evaluate(tree, context)) {
        if (!take(node)) return;
    }
}

std::vector<xmlNode*> XPath::Select(XmlTree& tree, xmlNode* context) const {
    std::vector<xmlNode*> nodes;
    auto take = [&nodes](xmlNode* node) {
        nodes.push_back(node);
        return true;
    };
    Walk(tree, context, take);
    return nodes;
}

xmlNode* XPath::SelectFirst(XmlTree& tree, xmlNode* context) const {
    xmlNode* first = nullptr;
    auto take = [&first](xmlNode* node) {
        first = node;
        return false;
    };
    Walk(tree, context, take);
    return first;
}

xmlNode* XPath::SelectLast(XmlTree& tree, xmlNode* context) const {
    xmlNode* last = nullptr;
    auto take = [&last](xmlNode* node) {
        last = node;
        return true;
    };
    Walk(tree, context, take);
    return last;
}

std::vector<xmlNode*> XPath::Evaluate(XmlTree& tree, xmlNode* context) const {
    tree.NumberElements();
    XmlErrorCapture errors;
    xmlXPathContext& evaluation = ThreadXPathContext();
    evaluation.doc = tree.doc.get();
    evaluation.node = context;
    evaluation.contextSize = -1;
    evaluation.proximityPosition = -1;
    XmlXPathObjectPtr result;
    {
        std::lock_guard turn(m_compiled->evaluation);
        result.reset(xmlXPathCompiledEval(m_compiled->program.get(), &evaluation));
    }
    evaluation.doc = nullptr;
    evaluation.node = nullptr;

    if (!result) {
        throw XmlAccessError("XPath " + Quoted(m_compiled->expression) +
                             " failed: " + errors.FirstError());
    }
    if (result->type != XPATH_NODESET) {
        throw XmlAccessError("XPath " + Quoted(m_compiled->expression) + " selects no nodes");
    }
    std::vector<xmlNode*> nodes;
    if (const xmlNodeSet* set = result->nodesetval) {
        nodes.reserve(static_cast<std::size_t>(set->nodeNr));
        for (int i = 0; i < set->nodeNr; ++i) {
            // Namespace nodes are copies that die with the result; nothing reads them.
            if (set->nodeTab[i]->type == XML_NAMESPACE_DECL) {
                throw XmlAccessError("XPath " + Quoted(m_compiled->expression) +
                                     " selects namespace nodes");
            }
            nodes.push_back(set->nodeTab[i]);
        }
    }
    return nodes;
}

}  // namespace ledgra
