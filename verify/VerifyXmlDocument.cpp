#include "verify/VerifyXmlDocument.h"

#include <memory>

#include "base/Captions.h"
#include "text/Cp949.h"
#include "verify/VerifierFailure.h"
#include "verify/VerifySignedData.h"
#include "verify/XmlSignature.h"

namespace ledgra {
namespace {

std::string Reason(const XmlSignatureCheck& check) {
    std::string reason = FailureText(check.failure);
    if (!check.detail.empty()) reason += " (" + check.detail + ")";
    return reason;
}

// Whether the verification module confirms the certificate, as one line.
std::string CertificateLine(const std::string& certificateDer,
                            const SignedDataVerifierFactory& verifierFactory) {
    std::string reason;
    try {
        std::unique_ptr<ISignedDataVerifier> module;
        if (verifierFactory) module = verifierFactory();
        if (!module) throw VerificationModuleError("검증모듈을 만들 수 없습니다."_cp949);
        if (module->Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0) == 0 &&
            module->CheckCertificate(certificateDer) == 0) {
            module->Finish();
            return "인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다."_cp949;
        }
        reason = module->ErrorText();
        module->Finish();
    } catch (const VerificationModuleError& error) {
        reason = error.what();
    }
    return "인증서: 확인되지 않았습니다 - "_cp949 + reason;
}

}  // namespace

bool VerifyXmlDocument(std::string_view documentBytes, UnwrapMode mode,
                       const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
                       XmlDocumentSignature& signature) {
    signature = {};
    XmlSignatureCheck check = CheckXmlSignature(documentBytes);
    switch (check.state) {
        case XmlSignatureCheck::State::Unsigned:
            return true;
        case XmlSignatureCheck::State::Refused:
            ShowModuleError(ui, Reason(check));
            return false;
        case XmlSignatureCheck::State::Intact:
            break;
    }
    const std::string signerLine = "서명정보:"_cp949 + check.signerName + ", 서명시간 : "_cp949;
    const std::string certificateLine = CertificateLine(check.certificateDer, verifierFactory);
    if (mode == UnwrapMode::Verify) {
        ui.ShowMessage(signerLine + "\n" + certificateLine + "\n", kSignerListCaption, MessageIcon::None);
    }
    signature.intact = true;
    signature.signedDocument = std::move(check.signedDocument);
    signature.statusLine = signerLine + " " + certificateLine;
    return true;
}

}  // namespace ledgra
