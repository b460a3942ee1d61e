#pragma once
// A rule every input must keep. A broken rule prints what broke and aborts, which libFuzzer
// reports as a crash with the input saved, and which fails the corpus replay.

#include <string_view>

namespace ledgra::fuzz {

[[noreturn]] void FuzzCheckFailed(std::string_view rule, const char* file, int line);

}  // namespace ledgra::fuzz

#define FUZZ_CHECK(condition)           \
    ((condition) ? static_cast<void>(0) \
                 : ::ledgra::fuzz::FuzzCheckFailed(#condition, __FILE__, __LINE__))
