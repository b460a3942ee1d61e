#include "verify/OpenSslVerifier.h"

#include <openssl/crypto.h>
#include <openssl/err.h>

#include "text/Cp949.h"
#include "verify/Base64Strict.h"
#include "verify/CertificateChain.h"
#include "verify/SignerDetails.h"
#include "verify/TrustStore.h"

namespace ledgra {

OpenSslVerifier::OpenSslVerifier(std::filesystem::path trustFolder)
    : m_trustFolder(std::move(trustFolder)) {
    if (OPENSSL_init_crypto(0, nullptr) != 1) {
        ERR_clear_error();
        throw VerificationModuleError("OpenSSL을 초기화할 수 없습니다."_cp949);
    }
}

std::uint16_t OpenSslVerifier::Succeed(std::string resultText) {
    m_resultText = std::move(resultText);
    m_errorText.clear();
    return 0;
}

std::uint16_t OpenSslVerifier::Fail(VerifierFailure failure, std::string_view detail) {
    m_resultText.clear();
    m_errorText = FailureText(failure);
    if (!detail.empty()) m_errorText += " (" + std::string(detail) + ")";
    return StatusOf(failure);
}

std::uint16_t OpenSslVerifier::Initialize(const std::string&, const std::string& caDirectoryList,
                                          const std::string&, const std::string&, int, int, int,
                                          int, int, int) {
    m_directories = ParseCaDirectoryList(caDirectoryList);
    if (!m_directories) return Fail(VerifierFailure::BadDirectoryList);
    return Succeed({});
}

std::uint16_t OpenSslVerifier::OpenSignedData(const std::string& signedText, const std::string&) {
    ErrorQueueClearer clearer;
    m_opened.reset();
    m_verified = false;
    m_signers.clear();
    if (!m_directories) return Fail(VerifierFailure::NotInitialized);
    if (signedText.size() > kMaxSignedTextBytes) return Fail(VerifierFailure::MessageTooLarge);

    std::optional<std::string> der = DecodeBase64Strict(RemoveLineBreaks(signedText));
    if (!der) return Fail(VerifierFailure::MalformedMessage);
    OpenedMessage opened = OpenSignedMessage(*der);
    if (opened.failure) return Fail(*opened.failure);
    m_opened = std::move(opened.cms);
    return Succeed(std::move(opened.content));
}

std::uint16_t OpenSslVerifier::FailTrust(VerifierFailure failure, const std::string& detail) {
    const bool trustFolderFault = failure == VerifierFailure::TrustFolderMissing ||
                                  failure == VerifierFailure::TrustFolderEmpty;
    // Tell the user where the trusted certificates are looked for.
    return Fail(failure, trustFolderFault ? Cp949FromUtf8(m_trustFolder.string()) : detail);
}

std::uint16_t OpenSslVerifier::VerifySignature() {
    ErrorQueueClearer clearer;
    if (m_verified) return Succeed({});
    if (!m_opened) return Fail(VerifierFailure::NotVerified);
    MessageCheck check = VerifySignedMessage(m_opened.get(), m_trustFolder);
    m_opened.reset();
    if (check.failure) return FailTrust(*check.failure, check.detail);
    m_verified = true;
    m_signers = std::move(check.signers);
    return Succeed(std::move(check.content));
}

std::uint16_t OpenSslVerifier::CheckCertificate(const std::string& certificateDer) {
    ErrorQueueClearer clearer;
    m_checkedCertificate = {};
    if (!m_directories) return Fail(VerifierFailure::NotInitialized);
    const auto* start = reinterpret_cast<const unsigned char*>(certificateDer.data());
    const unsigned char* next = start;
    X509Handle certificate(d2i_X509(nullptr, &next, static_cast<long>(certificateDer.size())));
    if (!certificate || next != start + certificateDer.size()) {
        return Fail(VerifierFailure::CertificateInvalid);
    }
    m_checkedCertificate = CertificateFacts(certificate.get());
    TrustStore trust = LoadTrustStore(m_trustFolder);
    if (trust.failure) return FailTrust(*trust.failure, {});
    ChainCheck chain =
        CheckCertificateChain(trust.store.get(), certificate.get(), nullptr, std::nullopt);
    m_checkedCertificate.chain = std::move(chain.chain);
    if (chain.failure) return FailTrust(*chain.failure, chain.detail);
    return Succeed({});
}

SignerFacts OpenSslVerifier::SignerCertificateFacts(int signer) const {
    if (const VerifiedSigner* found = Signer(signer)) return found->facts;
    return signer == 1 ? m_checkedCertificate : SignerFacts{};
}

int OpenSslVerifier::SignerCount() const {
    return m_verified ? static_cast<int>(m_signers.size()) : 0;
}

const VerifiedSigner* OpenSslVerifier::Signer(int number) const {
    if (!m_verified || number < 1 || number > static_cast<int>(m_signers.size())) return nullptr;
    return &m_signers[static_cast<std::size_t>(number - 1)];
}

std::uint16_t OpenSslVerifier::LoadSignerName(int signer) {
    const VerifiedSigner* found = Signer(signer);
    if (!found) {
        return Fail(m_verified ? VerifierFailure::SignerOutOfRange : VerifierFailure::NotVerified);
    }
    return Succeed(found->name);
}

std::uint16_t OpenSslVerifier::LoadSigningTime(int signer) {
    const VerifiedSigner* found = Signer(signer);
    if (!found) {
        return Fail(m_verified ? VerifierFailure::SignerOutOfRange : VerifierFailure::NotVerified);
    }
    return Succeed(found->signingTime);
}

std::uint16_t OpenSslVerifier::Finish() {
    m_opened.reset();
    m_checkedCertificate = {};
    m_verified = false;
    m_signers.clear();
    m_resultText.clear();
    return 0;
}

SignedDataVerifierFactory OpenSslVerifierFactory(std::filesystem::path trustFolder) {
    return [trustFolder = std::move(trustFolder)]() -> std::unique_ptr<ISignedDataVerifier> {
        return std::make_unique<OpenSslVerifier>(trustFolder);
    };
}

}  // namespace ledgra
