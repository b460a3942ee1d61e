#pragma once
// The real-world samples live beside the repository, in ../shared/samples, which a plain clone
// does not have. A test that reads them skips without them and says which folder is missing.

#include <filesystem>
#include <string>

namespace ledgra::testing {

// Empty when the folder exists, else the message a skipped test gives.
std::string MissingFolderMessage(const std::filesystem::path& folder);

}  // namespace ledgra::testing

// Skips the current test when the shared samples folder is missing (the test program defines
// where it is, as LEDGRA_SHARED_SAMPLES).
#define LEDGRA_SKIP_WITHOUT_SHARED_SAMPLES()                                \
    do {                                                                    \
        const std::string ledgraMissing =                                   \
            ::ledgra::testing::MissingFolderMessage(LEDGRA_SHARED_SAMPLES); \
        if (!ledgraMissing.empty()) GTEST_SKIP() << ledgraMissing;          \
    } while (false)
