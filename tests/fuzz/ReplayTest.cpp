// Replays every seed and finding of the corpora, and the project's sample documents, through
// every fuzz target, with whatever compiler builds the tests: what a fuzzer once found stays
// fixed, and each target's rules are checked on every change. Signed messages under the test
// root of the fixtures (made at test time) go through the signature targets too.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/fuzz/targets/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargets.h"
#include "tests/fuzz/targets/RendererSupport.h"
#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "verify/Base64Strict.h"

namespace ledgra::fuzz {
namespace {

namespace fs = std::filesystem;
using testing::TestAuthority;

const fs::path kCorpus = LEDGRA_FUZZ_CORPUS;

// Every regular file below the folders, in a fixed order; a missing folder gives nothing.
std::vector<fs::path> FilesBelow(const std::vector<fs::path>& folders) {
    std::vector<fs::path> files;
    for (const fs::path& folder : folders) {
        std::error_code error;
        if (!fs::is_directory(folder, error)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file()) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

void RunEverywhere(const std::string& name, const std::string& bytes) {
    for (const FuzzTarget& target : FuzzTargets()) {
        SCOPED_TRACE(std::string(target.name) + " on " + name);
        target.run(bytes);
    }
}

TEST(CorpusReplay, EveryTargetHasSeedsAndEveryCorpusATarget) {
    std::set<std::string> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus)) {
        if (entry.is_directory()) folders.insert(entry.path().filename().string());
    }
    std::set<std::string> targets;
    for (const FuzzTarget& target : FuzzTargets()) {
        targets.insert(std::string(target.name));
        EXPECT_FALSE(FilesBelow({kCorpus / target.name}).empty()) << target.name;
    }
    EXPECT_EQ(folders, targets);
}

TEST(CorpusReplay, EveryFileThroughEveryTarget) {
    const std::vector<fs::path> files = FilesBelow(
        {kCorpus, fs::path(LEDGRA_SOURCE_DIR) / "samples/sources", LEDGRA_SHARED_SAMPLES});
    ASSERT_FALSE(files.empty());
    const bool verbose = std::getenv("LEDGRA_REPLAY_VERBOSE") != nullptr;
    for (const fs::path& file : files) {
        // A crash names no test case: LEDGRA_REPLAY_VERBOSE=1 prints each file first.
        if (verbose) std::fprintf(stderr, "replaying %s\n", file.c_str());
        RunEverywhere(file.string(), testing::ReadBytes(file));
    }
}

testing::ContainerAttachment BadAttachment() {
    testing::ContainerAttachment attachment;
    attachment.lengthDigit = '5';
    return attachment;
}

// Messages the fixtures sign at test time, under a root the module is made to trust here.
TEST(CorpusReplay, MessagesOfTheTestRoot) {
    testing::TempFolder trust;
    TestAuthority::Trusted().WriteTrustFolder(trust.Path());
    FuzzEnvironment& environment = FuzzEnvironment::Get();
    const fs::path fuzzRoot = environment.TrustFolder();
    environment.SetTrustFolder(trust.Path());

    testing::CertificateOptions rsa;
    rsa.keyType = testing::KeyType::Rsa2048;
    const testing::TestCertificate rsaSigner = TestAuthority::TrustedIntermediate().Issue(rsa);
    const std::string der =
        testing::SignedDataDer("content", {.signers = {{rsaSigner, std::time(nullptr) - 3600}}});
    const std::string signedText = testing::SignedText("content");
    // Weak signatures: an MD5 digest, an RSA key of 512 bits, a certificate authority as signer;
    // and what archived invoices still use, SHA-1 with RSA-1024.
    const auto signer = [](testing::KeyType key, bool authority = false) {
        testing::CertificateOptions options;
        options.keyType = key;
        options.authority = authority;
        return TestAuthority::Trusted().Issue(options);
    };
    const std::time_t hourAgo = std::time(nullptr) - 3600;
    const auto messageOf = [&](const testing::TestCertificate& certificate, std::string digest) {
        testing::MessageSigner messageSigner{certificate, hourAgo};
        messageSigner.digest = std::move(digest);
        return testing::SignedText("content", {.signers = {messageSigner}});
    };
    const std::string md5 = messageOf(signer(testing::KeyType::Rsa2048), "MD5");
    const std::string rsa512 = messageOf(signer(testing::KeyType::Rsa512), "SHA256");
    const std::string caSigner = messageOf(signer(testing::KeyType::EcP256, true), "SHA256");
    const std::string archived = messageOf(signer(testing::KeyType::Rsa1024), "SHA1");
    std::vector<std::pair<std::string, std::string>> inputs = {
        {"message DER", der},
        {"bare message", testing::BareMessageFile(signedText)},
        {"semicolon bare", testing::SemicolonBareFile(signedText, '6', '9')},
        {"wrapped",
         testing::WrappedFile(signedText, '7', {testing::ContainerAttachment{}, BadAttachment()})},
        {"signed twice", testing::BareMessageFile(testing::SignedText(signedText))},
        {"MD5", testing::BareMessageFile(md5)},
        {"RSA-512", testing::SemicolonBareFile(rsa512)},
        {"CA signer", testing::WrappedFile(caSigner)},
        {"SHA-1 and RSA-1024", testing::BareMessageFile(archived)},
    };
    // The signed-message target takes DER.
    for (const auto& [name, text] : {std::pair{"MD5 DER", md5}, std::pair{"RSA-512 DER", rsa512},
                                     std::pair{"CA signer DER", caSigner}}) {
        inputs.emplace_back(name, DecodeBase64Strict(text).value());
    }
    for (const auto& [name, bytes] : inputs) RunEverywhere(name, bytes);
    environment.SetTrustFolder(fuzzRoot);
}

// The markup rule: a tag the templates and the fill never write is a value turned markup.
TEST(FuzzRulesDeathTest, ATagNoTemplateHoldsBreaksTheMarkupRule) {
    CheckNoTagsFromValues("<table><tr><td>&lt;script&gt;<br></td></tr></table>", {213});
    EXPECT_DEATH(
        CheckNoTagsFromValues("<table><tr><td><script>x()</script></td></tr></table>", {213}),
        "Fuzz rule broken");
    EXPECT_DEATH(CheckNoTagsFromValues("<td><IFRAME src=x></td>", {140, 141}), "Fuzz rule broken");
}

}  // namespace
}  // namespace ledgra::fuzz
