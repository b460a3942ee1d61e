#pragma once
// What a contract document carries ("//DigitalContent/DataArea"): its body and attachments,
// Base64 text as read, taken out of the XML before the page template is touched.

#include <array>
#include <cstddef>
#include <string>

#include "render/XmlDocument.h"

namespace ledgra {

// Attachments past this many File nodes are not kept.
inline constexpr std::size_t kContractAttachmentSlots = 59;

struct ContractAttachment {
    std::string name;     // "File.Name", Base64
    std::string content;  // "File.Content", Base64
};

struct ContractRecord {
    std::string body;       // "Document", Base64
    std::string fileCount;  // "FileCount" as written; empty when the DataArea has none
    std::array<ContractAttachment, kContractAttachmentSlots> attachments;
};

// Reads every DataArea in document order: each one replaces the body and the file count and
// fills the attachment slots again from the first, leaving the slots beyond its own files as
// an earlier DataArea left them. The File nodes of a DataArea without FileCount are not read.
// A DataArea without Document, or a File node without "File.Name" or "File.Content", throws
// XmlAccessError.
ContractRecord ReadContract(const XmlDocument& document);

}  // namespace ledgra
