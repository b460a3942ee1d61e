#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "verify/TrustStore.h"

namespace ledgra::testing {
namespace {

namespace fs = std::filesystem;

TEST(TrustStoreCache, ReadsTheFolderAgainOnlyWhenItChanged) {
    TempFolder temp;
    const fs::path folder = temp.Path() / "CA";
    const fs::path root = folder / "ledgra-test-root.pem";
    const auto write = [&](const TestAuthority& authority, const char* name) {
        return [&authority, &folder, name] { authority.WriteTrustFolder(folder, name); };
    };
    struct Step {
        const char* what;
        std::function<void()> change;
        bool readAgain;
        std::optional<VerifierFailure> failure;
    };
    const std::vector<Step> steps{
        {"first use", write(TestAuthority::Trusted(), "ledgra-test-root.pem"), true, {}},
        {"nothing changed", [] {}, false, {}},
        {"a file rewritten, its time moved",
         [&] {
             TestAuthority::Untrusted().WriteTrustFolder(folder);
             fs::last_write_time(root, fs::last_write_time(root) + std::chrono::seconds(5));
         },
         true, {}},
        {"a file added", write(TestAuthority::Trusted(), "b.crt"), true, {}},
        {"another kind of file added", [&] { temp.Write("CA/notes.txt", "x"); }, false, {}},
        {"the certificates removed",
         [&] {
             fs::remove(root);
             fs::remove(folder / "b.crt");
         },
         true, VerifierFailure::TrustFolderEmpty},
        {"the folder removed", [&] { fs::remove_all(folder); }, true,
         VerifierFailure::TrustFolderMissing},
    };
    std::vector<X509StoreHandle> held;  // so that no store's address is used again
    X509_STORE* last = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        TrustStore trust = LoadTrustStore(folder);
        EXPECT_EQ(trust.failure, step.failure);
        if (trust.store) {
            EXPECT_EQ(trust.store.get() != last, step.readAgain);
        }
        last = trust.store.get();
        held.push_back(std::move(trust.store));
    }
}

}  // namespace
}  // namespace ledgra::testing
