#pragma once
// The verification module on OpenSSL CMS.
//
// OpenSignedData does the whole verification, not only the unpacking: the caller reads the
// content (ResultText) right after opening and before it asks VerifySignature, so content is
// handed out only from a message whose signatures, signed attributes and certificate chains
// all verified. A message that fails gets its reason from OpenSignedData itself; VerifySignature
// then reports the result already known.

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

    // Signed texts longer than this are refused unread.
    static constexpr std::size_t kMaxSignedTextBytes = std::size_t{64} << 20;

private:
    std::uint16_t Succeed(std::string resultText);
    std::uint16_t Fail(VerifierFailure failure, std::string_view detail = {});
    const VerifiedSigner* Signer(int number) const;

    std::filesystem::path m_trustFolder;
    std::optional<std::vector<CaDirectory>> m_directories;
    bool m_verified = false;
    std::vector<VerifiedSigner> m_signers;
    std::string m_resultText;
    std::string m_errorText;
};

}  // namespace ledgra
