#pragma once
// libxml2 as the XML document access uses it: one-time process set-up, owning pointers for
// its objects, and capture of its error reports (which it would otherwise print to stderr).

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <memory>
#include <string>

namespace ledgra {

// Initialises the parser and installs an external-entity loader that refuses everything, once
// per process; safe to call from any thread, as often as wanted.
void PrepareXmlLibrary();

struct XmlDocDeleter {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct XmlParserCtxtDeleter {
    void operator()(xmlParserCtxt* ctxt) const { xmlFreeParserCtxt(ctxt); }
};
struct XmlXPathContextDeleter {
    void operator()(xmlXPathContext* ctxt) const { xmlXPathFreeContext(ctxt); }
};
struct XmlXPathCompExprDeleter {
    void operator()(xmlXPathCompExpr* comp) const { xmlXPathFreeCompExpr(comp); }
};
struct XmlXPathObjectDeleter {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};
struct XmlCharDeleter {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocDeleter>;
using XmlParserCtxtPtr = std::unique_ptr<xmlParserCtxt, XmlParserCtxtDeleter>;
using XmlXPathContextPtr = std::unique_ptr<xmlXPathContext, XmlXPathContextDeleter>;
using XmlXPathCompExprPtr = std::unique_ptr<xmlXPathCompExpr, XmlXPathCompExprDeleter>;
using XmlXPathObjectPtr = std::unique_ptr<xmlXPathObject, XmlXPathObjectDeleter>;
using XmlCharPtr = std::unique_ptr<xmlChar, XmlCharDeleter>;

// While it lives, every error or warning libxml2 reports on this thread is kept here instead
// of being printed; the previous handlers come back when it ends. Nests.
class XmlErrorCapture {
public:
    XmlErrorCapture();
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    // The first error reported, with its line where libxml2 gives one; empty when none was.
    const std::string& FirstError() const { return m_firstError; }

private:
    template <typename ErrorPointer>
    static void OnStructuredError(void* capture, ErrorPointer error);
    static void OnGenericError(void* capture, const char* format, ...);
    void Keep(std::string message);

    xmlStructuredErrorFunc m_previousStructured;
    void* m_previousStructuredContext;
    xmlGenericErrorFunc m_previousGeneric;
    void* m_previousGenericContext;
    std::string m_firstError;
};

}  // namespace ledgra
