#pragma once
// What a verification run found out about one document, for the proof a saved PDF carries.
// Texts are UTF-8. It is taken from the run itself, never from its messages or a second read
// of the file.

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "verify/VerificationRun.h"

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

// The summary of the run that made the shown page: the bytes it read, its outcome in the words
// of status pane 0, each signer with the standing of the certificate.
VerificationSummary SummaryOfRun(const RunOutcome& outcome);

}  // namespace ledgra
