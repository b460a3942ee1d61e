// The libFuzzer entry of one fuzzer program: LEDGRA_FUZZ_TARGET names its target.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/targets/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ledgra::fuzz::FuzzTarget* const target =
        ledgra::fuzz::FindFuzzTarget(LEDGRA_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target named %s\n", LEDGRA_FUZZ_TARGET);
        std::abort();
    }
    target->run({reinterpret_cast<const char*>(data), size});
    return 0;
}
