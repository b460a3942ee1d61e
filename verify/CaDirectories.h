#pragma once
// The directory list the verification module is initialised with: "name:host:port|" entries.
// No directory is contacted; the module keeps the list so that it is known and well-formed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra {

struct CaDirectory {
    std::string name;
    std::string host;
    int port = 0;
};

// The entries of a list; nullopt unless every entry is "name:host:port" closed by "|" (the
// last one too), name and host non-empty without blanks, the port a number 1 to 65535.
std::optional<std::vector<CaDirectory>> ParseCaDirectoryList(std::string_view list);

}  // namespace ledgra
