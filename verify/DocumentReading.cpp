#include "verify/DocumentReading.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "base/UserInterface.h"
#include "verify/OpenSslHandles.h"
#include "verify/SignedContainer.h"
#include "verify/SignerDetails.h"
#include "verify/VerifySignedData.h"
#include "verify/VerifyXmlDocument.h"

namespace ledgra {
namespace {

// Keeps the messages of the run instead of showing them.
class KeptMessages final : public UserInterface {
public:
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        if (!m_text.empty()) m_text += " / ";
        m_text += text;
    }
    void SetStatusText(const std::string&) override {}
    void NavigateView(const std::filesystem::path&) override {}
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

// What the module objects of one document told about its signers.
struct SignerNotes {
    std::vector<std::string> names;
    // The certificate of an XML signature and whether the module confirmed it.
    std::string checkedCertificate;
    bool certificateConfirmed = false;

    void AddName(std::string name) {
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
};

// Passes every call to the module and notes the signer names it hands out and the result of
// its certificate check, so the run's own verification code serves unchanged.
class NotingVerifier final : public ISignedDataVerifier {
public:
    NotingVerifier(std::unique_ptr<ISignedDataVerifier> module, SignerNotes& notes)
        : m_module(std::move(module)), m_notes(notes) {}

    std::string ResultText() const override { return m_module->ResultText(); }
    std::string ErrorText() const override { return m_module->ErrorText(); }
    std::uint16_t OpenSignedData(const std::string& signedText,
                                 const std::string& second) override {
        return m_module->OpenSignedData(signedText, second);
    }
    std::uint16_t VerifySignature() override { return m_module->VerifySignature(); }
    std::uint16_t LoadSignerName(int signer) override {
        const std::uint16_t status = m_module->LoadSignerName(signer);
        if (status == 0) m_notes.AddName(m_module->ResultText());
        return status;
    }
    std::uint16_t LoadSigningTime(int signer) override { return m_module->LoadSigningTime(signer); }
    std::uint16_t Initialize(const std::string& text1, const std::string& caDirectoryList,
                             const std::string& text3, const std::string& text4, int value1,
                             int value2, int value3, int value4, int value5, int value6) override {
        return m_module->Initialize(text1, caDirectoryList, text3, text4, value1, value2, value3,
                                    value4, value5, value6);
    }
    int SignerCount() const override { return m_module->SignerCount(); }
    std::uint16_t Finish() override { return m_module->Finish(); }
    std::uint16_t CheckCertificate(const std::string& certificateDer) override {
        const std::uint16_t status = m_module->CheckCertificate(certificateDer);
        m_notes.checkedCertificate = certificateDer;
        m_notes.certificateConfirmed = status == 0;
        return status;
    }

private:
    std::unique_ptr<ISignedDataVerifier> m_module;
    SignerNotes& m_notes;
};

std::optional<std::string> CertificateSubjectName(const std::string& der) {
    const auto* next = reinterpret_cast<const unsigned char*>(der.data());
    X509Handle certificate(d2i_X509(nullptr, &next, static_cast<long>(der.size())));
    if (!certificate) return std::nullopt;
    return SignerName(certificate.get());
}

}  // namespace

DocumentReading ReadDocument(const std::filesystem::path& path,
                             const SignedDataVerifierFactory& verifierFactory) {
    SignerNotes notes;
    const SignedDataVerifierFactory notingFactory =
        [&verifierFactory, &notes]() -> std::unique_ptr<ISignedDataVerifier> {
        std::unique_ptr<ISignedDataVerifier> module;
        if (verifierFactory) module = verifierFactory();
        if (!module) return nullptr;
        return std::make_unique<NotingVerifier>(std::move(module), notes);
    };

    KeptMessages messages;
    XmlDocumentSignature xmlSignature;
    bool plainXml = false;
    DocumentReading reading;
    const bool verified = UnwrapSignedFile(
        path, reading.content, UnwrapMode::Show, messages,
        [&](const std::string& signedText, std::string& content, bool listSigners) {
            return VerifySignedData(signedText, content, listSigners, notingFactory, messages);
        },
        [&](std::string_view documentBytes) {
            plainXml = true;
            return VerifyXmlDocument(documentBytes, UnwrapMode::Show, notingFactory, messages,
                                     xmlSignature);
        });
    if (!verified) {
        reading.content.clear();
        reading.failure = messages.Take();
        return reading;
    }
    if (!plainXml) {
        reading.verdict = SignatureVerdict::Confirmed;
    } else if (!xmlSignature.intact) {
        reading.verdict = SignatureVerdict::Unsigned;
    } else {
        reading.content = std::move(xmlSignature.signedDocument);
        reading.verdict = notes.certificateConfirmed ? SignatureVerdict::Confirmed
                                                     : SignatureVerdict::Unconfirmed;
        if (const auto name = CertificateSubjectName(notes.checkedCertificate)) {
            notes.AddName(*name);
        }
    }
    reading.signers = std::move(notes.names);
    return reading;
}

}  // namespace ledgra
