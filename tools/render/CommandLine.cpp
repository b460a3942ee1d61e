#include "tools/render/CommandLine.h"

#include <algorithm>
#include <cstdio>

namespace ledgra {

int UsageError(const std::string& error, const char* usage) {
    std::fprintf(stderr, "ledgra-render: %s\n\n%s", error.c_str(), usage);
    return kUsageError;
}

bool NamesOption(const std::vector<std::string>& arguments, std::string_view option) {
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    return std::find(arguments.begin(), end, option) != end;
}

bool ReadArguments(const std::vector<std::string>& arguments,
                   std::vector<std::filesystem::path>& operands,
                   const std::function<bool(std::size_t& at)>& option) {
    bool optionsEnded = false;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
            operands.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (!option(at)) {
            return false;
        }
    }
    return true;
}

}  // namespace ledgra
