#include "verify/DocumentReading.h"

#include <utility>

#include "base/UserInterface.h"
#include "verify/SignedContainer.h"
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

}  // namespace

DocumentReading ReadDocument(const std::filesystem::path& path,
                             const SignedDataVerifierFactory& verifierFactory) {
    KeptMessages messages;
    XmlDocumentSignature xmlSignature;
    bool plainXml = false;
    DocumentReading reading;
    const bool verified = UnwrapSignedFile(
        path, reading.content, UnwrapMode::Show, messages,
        [&](const std::string& signedText, std::string& content, bool listSigners) {
            return VerifySignedData(signedText, content, listSigners, verifierFactory, messages,
                                    &reading.signature);
        },
        [&](std::string_view documentBytes) {
            plainXml = true;
            return VerifyXmlDocument(documentBytes, UnwrapMode::Show, verifierFactory, messages,
                                     xmlSignature);
        });
    if (plainXml) reading.signature = std::move(xmlSignature.report);
    if (!verified) {
        reading.signature.verdict = SignatureVerdict::Failed;
        reading.content.clear();
        reading.failure = messages.Take();
        return reading;
    }
    if (xmlSignature.intact) reading.content = std::move(xmlSignature.signedDocument);
    reading.contentTree = std::move(xmlSignature.unsignedTree);
    return reading;
}

}  // namespace ledgra
