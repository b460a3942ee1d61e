#include "render/PageFilling.h"

#include "text/ByteString.h"

namespace ledgra {

void FillPlaceholder(std::string& page, std::string_view placeholder, std::string_view value) {
    if (page.find(placeholder) == std::string::npos) return;
    page = ReplaceAll(page, placeholder, value);
}

}  // namespace ledgra
