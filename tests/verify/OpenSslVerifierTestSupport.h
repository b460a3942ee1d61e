#pragma once
// A verification module trusting the test root, as the run uses it: created by the factory and
// initialised with the directory list.

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>

#include "tests/support/SignedFixtures.h"
#include "tests/support/TempFolder.h"
#include "verify/SignedDataVerifier.h"
#include "verify/VerifierFailure.h"

namespace ledgra::testing {

class VerifierTest : public ::testing::Test {
protected:
    VerifierTest() { TestAuthority::Trusted().WriteTrustFolder(TrustFolder()); }

    std::filesystem::path TrustFolder() const { return m_temp.Path() / "CA"; }

    std::unique_ptr<ISignedDataVerifier> NewVerifier() const {
        std::unique_ptr<ISignedDataVerifier> verifier = OpenSslVerifierFactory(TrustFolder())();
        EXPECT_EQ(verifier->Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0), 0);
        return verifier;
    }

    // Opens a signed text with a fresh module and returns the module for inspection.
    std::unique_ptr<ISignedDataVerifier> Opened(const std::string& signedText,
                                                std::uint16_t* status = nullptr) const {
        std::unique_ptr<ISignedDataVerifier> verifier = NewVerifier();
        std::uint16_t result = verifier->OpenSignedData(signedText, "");
        if (status) *status = result;
        return verifier;
    }

    // Opens and, when that succeeds, verifies a signed text; `status` is the first nonzero
    // status, or 0.
    std::unique_ptr<ISignedDataVerifier> Checked(const std::string& signedText,
                                                 std::uint16_t* status = nullptr) const {
        std::uint16_t result = 0;
        std::unique_ptr<ISignedDataVerifier> verifier = Opened(signedText, &result);
        if (result == 0) result = verifier->VerifySignature();
        if (status) *status = result;
        return verifier;
    }

    static std::time_t Now() { return std::time(nullptr); }

    TempFolder m_temp;
};

}  // namespace ledgra::testing
