#pragma once
// What the commands of ledgra-render share in reading their arguments (given without the
// program name).

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ledgra {

// The exit status of every command for arguments it cannot take.
inline constexpr int kUsageError = 2;

// Prints "ledgra-render: ERROR", an empty line and `usage` on the error output; returns
// kUsageError.
int UsageError(const std::string& error, const char* usage);

// Whether `option` is given among the options (before any "--"): it picks the command.
bool NamesOption(const std::vector<std::string>& arguments, std::string_view option);

// Reads the arguments in order. "-", an argument after "--" and any that does not start with
// '-' is an operand and goes into `operands`; every other argument but "--" is an option and
// goes to `option` with its index, which it moves past a value it takes. False as soon as
// `option` returns false.
bool ReadArguments(const std::vector<std::string>& arguments,
                   std::vector<std::filesystem::path>& operands,
                   const std::function<bool(std::size_t& at)>& option);

}  // namespace ledgra
