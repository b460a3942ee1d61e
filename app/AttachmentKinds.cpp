#include "app/AttachmentKinds.h"

#include <array>
#include <string>
#include <string_view>

#include "text/ByteString.h"

namespace ledgra {
namespace {

struct KindRow {
    std::string_view extension;  // upper case, with its dot
    AttachmentKind kind;
};

// Only kinds that are documents reach the desktop: its default application for an unknown
// kind may run it (a Windows program under an emulator, a launcher file).
constexpr std::array kKinds{
    KindRow{".TXT", AttachmentKind::Text},     KindRow{".TEXT", AttachmentKind::Text},
    KindRow{".CSV", AttachmentKind::Text},     KindRow{".LOG", AttachmentKind::Text},
    KindRow{".XML", AttachmentKind::Text},     KindRow{".JSON", AttachmentKind::Text},
    KindRow{".HTM", AttachmentKind::Page},     KindRow{".HTML", AttachmentKind::Page},
    KindRow{".PNG", AttachmentKind::Image},    KindRow{".JPG", AttachmentKind::Image},
    KindRow{".JPEG", AttachmentKind::Image},   KindRow{".GIF", AttachmentKind::Image},
    KindRow{".BMP", AttachmentKind::Image},    KindRow{".WEBP", AttachmentKind::Image},
    KindRow{".PDF", AttachmentKind::Desktop},  KindRow{".HWP", AttachmentKind::Desktop},
    KindRow{".HWPX", AttachmentKind::Desktop}, KindRow{".ZIP", AttachmentKind::Desktop},
    KindRow{".DOC", AttachmentKind::Desktop},  KindRow{".DOCX", AttachmentKind::Desktop},
    KindRow{".XLS", AttachmentKind::Desktop},  KindRow{".XLSX", AttachmentKind::Desktop},
    KindRow{".PPT", AttachmentKind::Desktop},  KindRow{".PPTX", AttachmentKind::Desktop},
    KindRow{".ODT", AttachmentKind::Desktop},  KindRow{".ODS", AttachmentKind::Desktop},
    KindRow{".ODP", AttachmentKind::Desktop},  KindRow{".RTF", AttachmentKind::Desktop},
    KindRow{".TIF", AttachmentKind::Desktop},  KindRow{".TIFF", AttachmentKind::Desktop},
};

}  // namespace

AttachmentKind AttachmentKindOf(const std::filesystem::path& file) {
    const std::string extension = ToUpperAscii(file.extension().native());
    for (const KindRow& row : kKinds) {
        if (row.extension == extension) return row.kind;
    }
    return AttachmentKind::Refused;
}

}  // namespace ledgra
