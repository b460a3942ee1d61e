// The weakest signed messages the module accepts, revocation lists in the trust folder, the
// expiry note after a signing time, and one trust-folder read per run.

#include <string>
#include <vector>

#include "tests/verify/OpenSslVerifierTestSupport.h"
#include "text/Cp949.h"
#include "verify/TrustStore.h"

namespace ledgra::testing {
namespace {

std::string ErrorOf(const ISignedDataVerifier& verifier) {
    return Utf8FromCp949(verifier.ErrorText());
}

TestCertificate Signer(KeyType keyType, bool authority = false) {
    CertificateOptions options;
    options.keyType = keyType;
    options.authority = authority;
    return TestAuthority::Trusted().Issue(options);
}

TEST_F(VerifierTest, WeakSignaturesAreRefusedAndTheWeakestKeptOnesVerify) {
    struct Case {
        const char* name;
        MessageSigner signer;
        std::uint16_t expected;
    };
    const std::time_t signedAt = Now() - 3600;
    const std::vector<Case> cases = {
        {"MD5 digest",
         {Signer(KeyType::Rsa1024), signedAt, "MD5"},
         StatusOf(VerifierFailure::WeakDigest)},
        {"RSA-512 key", {Signer(KeyType::Rsa512), signedAt}, StatusOf(VerifierFailure::WeakKey)},
        {"CA certificate as signer",
         {Signer(KeyType::EcP256, true), signedAt},
         StatusOf(VerifierFailure::SignerIsAuthority)},
        // Archived Korean invoices are signed with these.
        {"SHA-1 digest", {Signer(KeyType::Rsa1024), signedAt, "SHA1"}, 0},
        {"RSA-1024 key", {Signer(KeyType::Rsa1024), signedAt}, 0},
    };
    for (const Case& c : cases) {
        std::uint16_t status = 1;
        auto verifier = Checked(SignedText("weak", {.signers = {c.signer}}), &status);
        EXPECT_EQ(status, c.expected) << c.name << ": " << ErrorOf(*verifier);
        if (c.expected != 0) {
            EXPECT_EQ(verifier->ErrorText(), FailureText(static_cast<VerifierFailure>(c.expected)))
                << c.name;
        }
    }
}

TEST_F(VerifierTest, ASignerListedInARevocationListOfTheTrustFolderFails) {
    const TestCertificate revoked = TestAuthority::Trusted().Issue();
    const TestCertificate kept = TestAuthority::Trusted().Issue();
    m_temp.Write("CA/ledgra-test-root.crl", TestAuthority::Trusted().RevocationList({revoked}));

    std::uint16_t status = 0;
    auto verifier = Checked(SignedText("revoked", {.signers = {{revoked, Now() - 3600}}}), &status);
    EXPECT_EQ(status, StatusOf(VerifierFailure::CertificateRevoked)) << ErrorOf(*verifier);

    // Signers of that issuer who are not listed, and of issuers without a list, still verify.
    for (const TestCertificate& signer : {kept, TestAuthority::TrustedIntermediate().Issue()}) {
        Checked(SignedText("kept", {.signers = {{signer, Now() - 3600}}}), &status);
        EXPECT_EQ(status, 0);
    }
}

TEST_F(VerifierTest, ASignerExpiredByNowIsShownWithItsExpiryAfterTheSigningTime) {
    CertificateOptions options;
    options.notBefore = UtcTime(2022, 1, 1);
    options.notAfter = UtcTime(2023, 1, 1);
    const TestCertificate expired = TestAuthority::Trusted().Issue(options);
    std::uint16_t status = 1;
    auto verifier =
        Checked(SignedText("old", {.signers = {{expired, UtcTime(2022, 6, 1)}}}), &status);
    ASSERT_EQ(status, 0) << ErrorOf(*verifier);
    ASSERT_EQ(verifier->LoadSigningTime(1), 0);
    EXPECT_EQ(verifier->ResultText(), "2022-06-01 00:00:00 UTC (인증서 만료: 2023-01-01)"_cp949);
}

TEST_F(VerifierTest, ACertificateOfAnXmlSignatureIsConfirmedOnlyUnderATrustedRoot) {
    auto verifier = NewVerifier();
    EXPECT_EQ(verifier->CheckCertificate(TestAuthority::Trusted().Issue().Der()), 0)
        << ErrorOf(*verifier);
    EXPECT_EQ(verifier->CheckCertificate(TestAuthority::Untrusted().Issue().Der()),
              StatusOf(VerifierFailure::UntrustedCertificate));

    CertificateOptions options;
    options.notBefore = UtcTime(2015, 11, 9);
    options.notAfter = UtcTime(2016, 11, 9);
    EXPECT_EQ(verifier->CheckCertificate(TestAuthority::Trusted().Issue(options).Der()),
              StatusOf(VerifierFailure::CertificateExpired));
    EXPECT_EQ(verifier->ErrorText(),
              FailureText(VerifierFailure::CertificateExpired) + " (2016-11-09)");
    EXPECT_EQ(verifier->CheckCertificate("not a certificate"),
              StatusOf(VerifierFailure::CertificateInvalid));
}

TEST_F(VerifierTest, ABatchReadsTheTrustFolderOnce) {
    const std::string text = SignedText("once");
    std::uint16_t status = 1;
    {
        const TrustStoreRunCache batch;
        Checked(text, &status);
        ASSERT_EQ(status, 0);
        std::filesystem::remove_all(TrustFolder());
        const TrustStoreRunCache run;
        Checked(text, &status);
        EXPECT_EQ(status, 0) << "a later message of the batch reads the folder again";
    }
    Checked(text, &status);
    EXPECT_EQ(status, StatusOf(VerifierFailure::TrustFolderMissing));
}

}  // namespace
}  // namespace ledgra::testing
