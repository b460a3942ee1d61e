#include "verify/VerifyXmlDocument.h"

#include <memory>
#include <vector>

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

struct CertificateStanding {
    bool confirmed = false;
    std::string reason;       // when not confirmed
    std::string trustFolder;  // code page 949; empty when no module could be made
    std::vector<std::string> chain;
};

// Whether the verification module confirms the certificate.
CertificateStanding CertificateStandingOf(const std::string& certificateDer,
                                          const SignedDataVerifierFactory& verifierFactory) {
    CertificateStanding standing;
    try {
        std::unique_ptr<ISignedDataVerifier> module;
        if (verifierFactory) module = verifierFactory();
        if (!module) throw VerificationModuleError("검증모듈을 만들 수 없습니다."_cp949);
        standing.trustFolder = Cp949FromUtf8(module->TrustFolder().native());
        standing.confirmed =
            module->Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0) == 0 &&
            module->CheckCertificate(certificateDer) == 0;
        if (!standing.confirmed) standing.reason = module->ErrorText();
        standing.chain = module->SignerCertificateFacts(1).chain;
        module->Finish();
    } catch (const VerificationModuleError& error) {
        standing.confirmed = false;
        standing.reason = error.what();
    }
    return standing;
}

// The certificate's standing as one line.
std::string CertificateLine(const CertificateStanding& standing) {
    if (standing.confirmed) return "인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다."_cp949;
    return "인증서: 확인되지 않았습니다 - "_cp949 + standing.reason;
}

}  // namespace

bool VerifyXmlDocument(std::string_view documentBytes, UnwrapMode mode,
                       const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
                       XmlDocumentSignature& signature) {
    signature = {};
    XmlSignatureCheck check = CheckXmlSignature(documentBytes);
    switch (check.state) {
        case XmlSignatureCheck::State::Unsigned:
            signature.report.verdict = SignatureVerdict::Unsigned;
            signature.unsignedTree = std::move(check.unsignedTree);
            return true;
        case XmlSignatureCheck::State::Refused:
            signature.report.reason = Reason(check);
            ShowModuleError(ui, signature.report.reason);
            return false;
        case XmlSignatureCheck::State::Intact:
            break;
    }
    const std::string signerLine = "서명정보:"_cp949 + check.signerName + ", 서명시간 : "_cp949;
    const CertificateStanding standing =
        CertificateStandingOf(check.certificateDer, verifierFactory);
    const std::string certificateLine = CertificateLine(standing);
    if (mode == UnwrapMode::Verify) {
        ui.ShowMessage(signerLine + "\n" + certificateLine + "\n", kSignerListCaption, MessageIcon::None);
    }
    signature.intact = true;
    signature.signedDocument = std::move(check.signedDocument);
    signature.statusLine = signerLine + " " + certificateLine;

    SignatureReport& report = signature.report;
    report.verdict = standing.confirmed ? SignatureVerdict::Verified : SignatureVerdict::Unconfirmed;
    report.reason = standing.reason;
    report.trustFolder = standing.trustFolder;
    check.signer.untrustedReason = standing.reason;
    check.signer.chain = standing.chain;
    report.signers.push_back(std::move(check.signer));
    report.coverage =
        "서명 범위: 세금계산서 본문 전체. 서명되지 않은 부분: 교환 문서 정보(ExchangedDocument), "
        "서명 자체, 최상위 요소의 속성과 주석. 서명되지 않은 부분은 화면에 보이지 않습니다."_cp949;
    return true;
}

}  // namespace ledgra
