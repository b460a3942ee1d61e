#pragma once
// Turning untrusted bytes into a libxml2 document: bounded reading, the encoding choice and
// the hardened parse. A refused or malformed document gives a null pointer, never a partial
// tree.
//
// A parsed document is ready for the unprefixed XPaths of the renderers: every element
// written without a prefix is taken out of its default namespace.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "render/XmlLibrary.h"

namespace ledgra {

// A document file as it is on disk: its byte-order mark decides, then its encoding
// declaration, where a Korean encoding name ("euc-kr", "ks_c_5601-1987", ...) is read as code
// page 949, the superset that Korean documents are written in.
XmlDocPtr ParseXmlFileBytes(std::string_view bytes);

// Code page 949 text; an encoding declaration inside it is ignored.
XmlDocPtr ParseXmlCp949Text(std::string_view text);

// The whole content of a regular file; nothing when it cannot be read or holds more than
// `maxBytes` bytes.
std::optional<std::string> ReadBoundedFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace ledgra
