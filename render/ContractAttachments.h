#pragma once
// A contract's attachments: each written into the log folder, each listed as a numbered link
// that opens its file in a small browser window.

#include <filesystem>
#include <string>

#include "render/ContractRecord.h"

namespace ledgra {

// Writes the first `file count` attachments (the count read as atoi does, at most
// kContractAttachmentSlots) and returns the list of their links, code page 949 markup, ""
// when it has none. A slot with an empty raw name is skipped, its number with it; an
// attachment whose name decodes to nothing is written but not listed. Throws
// FileNotSavedError when a file cannot be written: its link would open an earlier contract's
// attachment of the same name.
std::string WriteContractAttachments(const std::filesystem::path& logFolder, const ContractRecord& record);

}  // namespace ledgra
