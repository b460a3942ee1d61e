#pragma once
// The verification module: opens a signed message (CMS SignedData in Base64 text), hands back
// its content, checks its signature and certificates, and names its signers.
//
// Every operation but the reads returns a 16-bit status: 0 success, anything else failure with
// the reason in ErrorText(). Texts are code page 949. One module object serves one signed text.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "verify/SignatureVerdict.h"

namespace ledgra {

// The module cannot be created or failed inside (not a verification failure): the
// verification run catches it and fails the run.
class VerificationModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ISignedDataVerifier {
public:
    virtual ~ISignedDataVerifier() = default;

    // Text result of the last operation.
    virtual std::string ResultText() const = 0;
    // Reason of the last failure, shown to the user.
    virtual std::string ErrorText() const = 0;
    // On 0, ResultText() holds the signed content. `second` is always empty.
    virtual std::uint16_t OpenSignedData(const std::string& signedText,
                                         const std::string& second) = 0;
    // 0 = the signatures are valid and every signer's certificate chains to a trusted root.
    // The content ResultText() held after opening may be used only then.
    virtual std::uint16_t VerifySignature() = 0;
    // On 0, ResultText() holds the name of signer `signer` (from 1).
    virtual std::uint16_t LoadSignerName(int signer) = 0;
    // On 0, ResultText() holds the signing time of signer `signer` (from 1).
    virtual std::uint16_t LoadSigningTime(int signer) = 0;
    // The run passes ("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0).
    virtual std::uint16_t Initialize(const std::string& text1, const std::string& caDirectoryList,
                                     const std::string& text3, const std::string& text4, int value1,
                                     int value2, int value3, int value4, int value5,
                                     int value6) = 0;
    virtual int SignerCount() const = 0;
    // Ends the use of the object; the status is not looked at.
    virtual std::uint16_t Finish() = 0;

    // Beyond the operations above, for the XML signature of a plain XML document, which the
    // viewer checks itself: 0 when the signer's certificate (DER) chains to a trusted root now,
    // for signing; else ErrorText() says why it could not be confirmed.
    virtual std::uint16_t CheckCertificate(const std::string& certificateDer) = 0;
    // What the certificate of signer `signer` (from 1) states, with the signer's algorithms and
    // its chain, once VerifySignature succeeded; after CheckCertificate, signer 1 is the checked
    // certificate with its chain as far as it was built. Empty facts otherwise.
    virtual SignerFacts SignerCertificateFacts(int signer) const = 0;
    // The folder whose root certificates the module trusts, to tell the user where a missing
    // authority's certificate goes.
    virtual std::filesystem::path TrustFolder() const = 0;
};

// "인증기관의 인증서를 <trust folder> 에 넣으면 확인됩니다.": what settles a failure of trust
// (IsTrustFailure); the folder as code page 949 text, or the module's own trust folder.
std::string TrustFolderHint(const std::string& trustFolder);
std::string TrustFolderHint(const ISignedDataVerifier& module);

// Creates a module object; may throw VerificationModuleError when none can be created.
using SignedDataVerifierFactory = std::function<std::unique_ptr<ISignedDataVerifier>()>;

// The OpenSSL module, trusting only the root certificates found in `trustFolder`.
SignedDataVerifierFactory OpenSslVerifierFactory(std::filesystem::path trustFolder);

// The directories of the accredited Korean certificate authorities, as Initialize takes them:
// seven entries "name:host:389|".
std::string CaDirectoryList();

}  // namespace ledgra
