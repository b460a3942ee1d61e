#include "render/ContractAttachments.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "base/FileAccess.h"
#include "render/AttachmentNames.h"
#include "render/Base64.h"
#include "render/LogFolderText.h"
#include "render/FileNotSavedError.h"
#include "text/ByteString.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The file's address as the link's script names it: inside a single-quoted script string
// inside a double-quoted attribute, and read as an address, so each layer gets its escapes.
// The log folder is the user's own, but its name may hold any of these characters too.
std::string LinkAddress(std::string_view path) {
    std::string address;
    for (const char c : path) {
        switch (c) {
            case '%':
                address += "%25";
                break;
            case '#':
                address += "%23";
                break;
            case '?':
                address += "%3F";
                break;
            case '\\':
                address += "\\\\";
                break;
            case '\'':
                address += "\\'";
                break;
            case '"':
                address += "&quot;";
                break;
            case '&':
                address += "&amp;";
                break;
            case '<':
                address += "&lt;";
                break;
            case '>':
                address += "&gt;";
                break;
            default:
                address += c;
        }
    }
    return address;
}

std::string Link(const std::string& address, std::size_t number, std::string_view name) {
    return "<a href='#' onclick=\"javascript:window.open('" + address +
           "','win','top=60,left=300,width=600,height=400,menubar=0,resizable=0,scrollbars=1,"
           "status=0,titlebar=0,toolbar=1');\" style='font-size:9pt'>" +
           std::to_string(number) + "." + AttachmentLinkText(name) + "</a>&nbsp;<br>";
}

std::size_t ListedCount(const std::string& fileCount) {
    const std::int64_t count = LeadingInteger(fileCount);
    return static_cast<std::size_t>(
        std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(kContractAttachmentSlots)));
}

}  // namespace

std::string WriteContractAttachments(const std::filesystem::path& logFolder, const ContractRecord& record) {
    AttachmentFileNames names;
    std::string list;
    const std::size_t count = ListedCount(record.fileCount);
    for (std::size_t j = 1; j <= count; ++j) {
        const ContractAttachment& attachment = record.attachments[j - 1];
        if (attachment.name.empty()) continue;
        const std::string name = DecodeBase64Text(attachment.name);
        const std::string fileName = names.Claim(name);
        const std::filesystem::path file = logFolder / Utf8FromCp949(fileName);
        if (!WriteOwnFile(file, DecodeBase64Text(attachment.content))) {
            const int cause = errno;
            throw FileNotSavedError(file, cause);
        }
        if (name.empty()) continue;
        list += Link(LinkAddress(LogFolderPageText(logFolder, fileName)), j, name);
    }
    return list;
}

}  // namespace ledgra
