#pragma once
// What the viewer does with a file of the log folder that a page opens, decided by its
// extension (the only thing the document says about its kind).

#include <filesystem>

namespace ledgra {

enum class AttachmentKind {
    Text,     // shown in the attachment window, decoded as UTF-8 or else code page 949
    Page,     // an html page, shown in the attachment window, decoded the same way
    Image,    // shown in the attachment window as it is
    Desktop,  // a document the browser engine cannot show (PDF, HWP, ZIP, office files):
              // handed to the desktop's default application
    Refused,  // anything else, programs and scripts among them: not opened at all
};

AttachmentKind AttachmentKindOf(const std::filesystem::path& file);

}  // namespace ledgra
