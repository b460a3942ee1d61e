#include "verify/ExtensionPattern.h"

#include "text/ByteString.h"

namespace ledgra {

std::string ExtensionPattern(std::string_view path) {
    constexpr std::size_t kLength = 3;
    const std::size_t dot = path.rfind('.');
    const std::string_view extension =
        dot == std::string_view::npos ? path.substr(0, kLength) : path.substr(dot + 1, kLength);
    return "*." + ToUpperAscii(extension);
}

}  // namespace ledgra
