#include "render/XmlLibrary.h"

#include <libxml/globals.h>
#include <libxml/parserInternals.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace ledgra {
namespace {

// Documents never get to name other files: no DTD, no external entity, no XInclude is ever
// fetched, whatever the parser options say.
xmlParserInputPtr RefuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

}  // namespace

void PrepareXmlLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(RefuseExternalEntity);
    });
}

XmlErrorCapture::XmlErrorCapture()
    : m_previousStructured(xmlStructuredError),
      m_previousStructuredContext(xmlStructuredErrorContext),
      m_previousGeneric(xmlGenericError),
      m_previousGenericContext(xmlGenericErrorContext) {
    xmlSetStructuredErrorFunc(this, OnStructuredError);
    xmlSetGenericErrorFunc(this, OnGenericError);
}

XmlErrorCapture::~XmlErrorCapture() {
    xmlSetStructuredErrorFunc(m_previousStructuredContext, m_previousStructured);
    xmlSetGenericErrorFunc(m_previousGenericContext, m_previousGeneric);
}

// The error type is a template parameter because libxml2 made it const in later versions.
template <typename ErrorPointer>
void XmlErrorCapture::OnStructuredError(void* capture, ErrorPointer error) {
    auto* self = static_cast<XmlErrorCapture*>(capture);
    if (error == nullptr || !self->m_firstError.empty()) return;
    std::string message = WithoutTrailingBlanks(error->message ? error->message : "error");
    if (error->line > 0) message += " (line " + std::to_string(error->line) + ")";
    self->Keep(std::move(message));
}

void XmlErrorCapture::OnGenericError(void* capture, const char* format, ...) {
    auto* self = static_cast<XmlErrorCapture*>(capture);
    if (!self->m_firstError.empty()) return;
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    self->Keep(WithoutTrailingBlanks(buffer));
}

void XmlErrorCapture::Keep(std::string message) {
    if (m_firstError.empty()) m_firstError = message.empty() ? "error" : std::move(message);
}

}  // namespace ledgra
