#pragma once
// The document pattern of a path, by which the run chooses the renderer.

#include <string>
#include <string_view>

namespace ledgra {

// "*." followed by the (up to) three characters after the last "." of the path, upper-cased:
// "a/b.ktx" gives "*.KTX", "a.xm" gives "*.XM". A path without "." takes its first three
// characters instead.
std::string ExtensionPattern(std::string_view path);

}  // namespace ledgra
