#pragma once
// Turning untrusted bytes into a libxml2 document: bounded reading, the encoding choice and
// the hardened parse. A refused or malformed document gives a null pointer, never a partial
// tree.
//
// A parsed document is ready for the unprefixed XPaths of the renderers: every element
// written without a prefix is taken out of its default namespace. The check of an XML
// signature asks for the tree as written instead, since canonical XML prints namespaces.
//
// Bounds, whatever the input: at most kMaxXmlNodes nodes (elements, attributes counted twice,
// namespace declarations, and pieces of text, comments and processing instructions) and
// kMaxXmlDepth levels of elements, kMaxXmlAttributesPerElement attributes on an element and
// kMaxXmlNamespacesInScope namespace declarations in scope, and kMaxXmlDocumentBytes of input
// (render/XmlDocument.h).
// Text is not counted: an attachment of many megabytes is one text node, so documents with large
// attachments load up to the input cap.
//
// libxml2 reports nothing on the terminal: its messages are kept, and the first one is the
// reason a parse gives for failing.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "render/XmlDocument.h"
#include "render/XmlLibrary.h"

namespace ledgra {

// About 150 MB of tree at most (libxml2 spends some 120 bytes on a node), and a parse that
// stops within a fraction of a second; real documents have a few thousand nodes.
inline constexpr std::size_t kMaxXmlNodes = 1'000'000;
inline constexpr int kMaxXmlDepth = 256;
// The parser's work on one element grows with the square of these; real documents carry a
// handful of attributes per element and declare three or four namespaces.
inline constexpr int kMaxXmlAttributesPerElement = 256;
inline constexpr int kMaxXmlNamespacesInScope = 64;

enum class XmlNamespaces {
    DetachDefault,  // unprefixed elements in no namespace, for the renderers' XPaths
    AsWritten,      // the tree as the document writes it
};

// A document file as it is on disk: its byte-order mark decides, then its encoding
// declaration, where a Korean encoding name ("euc-kr", "ks_c_5601-1987", ...) is read as code
// page 949, the superset that Korean documents are written in. On failure `why`, when given,
// says why in a short ASCII phrase (libxml2's own message where it has one).
XmlDocPtr ParseXmlFileBytes(std::string_view bytes,
                            XmlNamespaces namespaces = XmlNamespaces::DetachDefault,
                            std::string* why = nullptr);

// Code page 949 text; an encoding declaration inside it is ignored.
XmlDocPtr ParseXmlCp949Text(std::string_view text);

// A tree parsed as written made the one the default parse gives: every element written without
// a prefix taken out of its default namespace. A document parsed for its signature check is so
// handed on to its readers instead of being parsed again.
XmlDocPtr DetachDefaultNamespaces(XmlDocPtr asWritten);

// Keeps the tree a parse of a document file as written gave (`fileBytes` long), made the tree
// the renderers read, for the readers of the same bytes. Nothing is kept for a file over
// kMaxKeptXmlBytes: documents checked ahead must not pile up large trees.
inline constexpr std::size_t kMaxKeptXmlBytes = std::size_t{1} << 20;
ParsedXml KeepParsedXml(std::size_t fileBytes, XmlDocPtr asWritten);

}  // namespace ledgra
