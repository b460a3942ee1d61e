#pragma once
// What a verification run found out about one document, for the proof a saved PDF carries.
// Texts are UTF-8.

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace ledgra {

struct SignerSummary {
    std::string name;
    // As the signature states it; empty when it states none.
    std::string signingTime;
    // Whether the signer's certificate chains to a trusted root, or why it could not be
    // confirmed.
    std::string certificate;

    bool operator==(const SignerSummary&) const = default;
};

struct VerificationSummary {
    std::filesystem::path document;
    // The document file's bytes as the run read them.
    std::string documentBytes;
    // The run's outcome in its own words.
    std::string verdict;
    std::vector<SignerSummary> signers;
    std::time_t checkedAt = 0;
};

}  // namespace ledgra
