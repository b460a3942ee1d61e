#pragma once
// The verification module on OpenSSL CMS.
//
// OpenSignedData only opens the message: strict Base64, one SignedData that fills the bytes,
// with its content, which ResultText then holds unverified. VerifySignature checks the signers,
// their certificates and chains against the trust folder, and the signatures (ResultText then
// holds the verified content); the caller uses the content only once that has succeeded.

#include <filesystem>
#include <optional>
#include <vector>

#include "verify/CaDirectories.h"
#include "verify/SignedDataVerifier.h"
#include "verify/SignedMessageCheck.h"
#include "verify/VerifierFailure.h"

namespace ledgra {

class OpenSslVerifier : public ISignedDataVerifier {
public:
    // Throws VerificationModuleError (with a code page 949 reason) when OpenSSL cannot be
    // initialised.
    explicit OpenSslVerifier(std::filesystem::path trustFolder);

    std::string ResultText() const override { return m_resultText; }
    std::string ErrorText() const override { return m_errorText; }
    std::uint16_t OpenSignedData(const std::string& signedText, const std::string& second) override;
    std::uint16_t VerifySignature() override;
    std::uint16_t LoadSignerName(int signer) override;
    std::uint16_t LoadSigningTime(int signer) override;
    // Only the directory list means something; the other texts and numbers are accepted as
    // they come.
    std::uint16_t Initialize(const std::string& text1, const std::string& caDirectoryList,
                             const std::string& text3, const std::string& text4, int value1,
                             int value2, int value3, int value4, int value5, int value6) override;
    int SignerCount() const override;
    std::uint16_t Finish() override;
    std::uint16_t CheckCertificate(const std::string& certificateDer) override;
    SignerFacts SignerCertificateFacts(int signer) const override;
    std::filesystem::path TrustFolder() const override { return m_trustFolder; }

    // Signed texts longer than this are refused unread.
    static constexpr std::size_t kMaxSignedTextBytes = std::size_t{64} << 20;

private:
    std::uint16_t Succeed(std::string resultText);
    std::uint16_t Fail(VerifierFailure failure, std::string_view detail = {});
    std::uint16_t FailTrust(VerifierFailure failure, const std::string& detail);
    const VerifiedSigner* Signer(int number) const;

    std::filesystem::path m_trustFolder;
    std::optional<std::vector<CaDirectory>> m_directories;
    CmsHandle m_opened;
    bool m_verified = false;
    std::vector<VerifiedSigner> m_signers;
    SignerFacts m_checkedCertificate;  // by the last CheckCertificate
    std::string m_resultText;
    std::string m_errorText;
};

}  // namespace ledgra
