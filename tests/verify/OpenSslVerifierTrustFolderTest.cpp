// Which certificates the verification module trusts: those in the trust folder, nothing else.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "text/Cp949.h"
#include "verify/SignedDataVerifier.h"
#include "verify/VerifierFailure.h"

namespace ledgra::testing {
namespace {

struct TrustFolderCase {
    const char* name;
    std::function<void(const std::filesystem::path& folder)> fill;
    std::optional<VerifierFailure> expected;  // nullopt: the message verifies
};

std::string TrustedRootPem() {
    return TestAuthority::Trusted().RootPem();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::vector<TrustFolderCase>& TrustFolderCases() {
    static const std::vector<TrustFolderCase> cases = {
        {"RootInPemFile",
         [](const auto& folder) { TestAuthority::Trusted().WriteTrustFolder(folder); },
         std::nullopt},
        {"RootInDerFileWithUpperCaseExtension",
         [](const auto& folder) {
             WriteFile(folder / "ROOT.CER", TestAuthority::Trusted().Certificate().Der());
         },
         std::nullopt},
        {"RootAfterAnotherInOneBundle",
         [](const auto& folder) {
             WriteFile(folder / "bundle.crt",
                       TestAuthority::Untrusted().RootPem() + TrustedRootPem());
         },
         std::nullopt},
        {"MissingFolder", [](const auto&) {}, VerifierFailure::TrustFolderMissing},
        {"EmptyFolder", [](const auto& folder) { std::filesystem::create_directories(folder); },
         VerifierFailure::TrustFolderEmpty},
        {"RootUnderAnotherExtension",
         [](const auto& folder) { WriteFile(folder / "root.txt", TrustedRootPem()); },
         VerifierFailure::TrustFolderEmpty},
        {"RootInASubfolder",
         [](const auto& folder) { WriteFile(folder / "sub" / "root.pem", TrustedRootPem()); },
         VerifierFailure::TrustFolderEmpty},
        {"OversizedFile",
         [](const auto& folder) {
             WriteFile(folder / "huge.pem", std::string(2 << 20, '\n') + TrustedRootPem());
         },
         VerifierFailure::TrustFolderEmpty},
        {"DerWithTrailingBytes",
         [](const auto& folder) {
             WriteFile(folder / "root.der", TestAuthority::Trusted().Certificate().Der() + "xx");
         },
         VerifierFailure::TrustFolderEmpty},
        {"OnlyAnotherRoot",
         [](const auto& folder) { TestAuthority::Untrusted().WriteTrustFolder(folder); },
         VerifierFailure::UntrustedCertificate},
        {"OnlyTheIntermediate",
         [](const auto& folder) {
             // A CA certificate that is not self-signed is no anchor of its own.
             WriteFile(folder / "ca.pem", TestAuthority::TrustedIntermediate().Certificate().Pem());
         },
         VerifierFailure::UntrustedCertificate},
    };
    return cases;
}

void PrintTo(const TrustFolderCase& row, std::ostream* out) {
    *out << row.name;
}

class TrustFolderTest : public ::testing::TestWithParam<TrustFolderCase> {};

TEST_P(TrustFolderTest, DecidesWhetherTheSignerIsTrusted) {
    TempFolder temp;
    const std::filesystem::path folder = temp.Path() / "신뢰 CA";
    GetParam().fill(folder);
    TestCertificate signer = TestAuthority::TrustedIntermediate().Issue();
    std::string text = SignedText("trust", {.signers = {{signer, std::time(nullptr)}}});

    std::unique_ptr<ISignedDataVerifier> verifier = OpenSslVerifierFactory(folder)();
    ASSERT_EQ(verifier->Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0), 0);
    ASSERT_EQ(verifier->OpenSignedData(text, ""), 0);
    std::uint16_t status = verifier->VerifySignature();
    if (!GetParam().expected) {
        EXPECT_EQ(status, 0) << Utf8FromCp949(verifier->ErrorText());
        EXPECT_EQ(verifier->ResultText(), "trust");
        return;
    }
    EXPECT_EQ(status, StatusOf(*GetParam().expected)) << Utf8FromCp949(verifier->ErrorText());
    EXPECT_EQ(verifier->ResultText(), "");
}

INSTANTIATE_TEST_SUITE_P(Folders, TrustFolderTest, ::testing::ValuesIn(TrustFolderCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TrustFolderMessageTest, NamesTheFolderWhereRootsAreLookedFor) {
    TempFolder temp;
    const std::filesystem::path folder = temp.Path() / "인증서";
    std::unique_ptr<ISignedDataVerifier> verifier = OpenSslVerifierFactory(folder)();
    ASSERT_EQ(verifier->Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0), 0);
    ASSERT_EQ(verifier->OpenSignedData(SignedText("x"), ""), 0);
    EXPECT_EQ(verifier->VerifySignature(), StatusOf(VerifierFailure::TrustFolderMissing));
    EXPECT_EQ(verifier->ErrorText(), FailureText(VerifierFailure::TrustFolderMissing) + " (" +
                                         Cp949FromUtf8(folder.string()) + ")");
}

}  // namespace
}  // namespace ledgra::testing
