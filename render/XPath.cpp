#include <libxml/xpathInternals.h>

#include <mutex>
#include <new>

#include "render/XmlDocument.h"
#include "render/XmlLibrary.h"

namespace ledgra {

struct XPath::Compiled {
    std::string expression;
    XmlXPathCompExprPtr program;
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
}

const std::string& XPath::Expression() const {
    return m_compiled->expression;
}

std::vector<xmlNode*> XPath::Select(xmlDoc* document, xmlNode* context) const {
    XmlErrorCapture errors;
    xmlXPathContext& evaluation = ThreadXPathContext();
    evaluation.doc = document;
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
