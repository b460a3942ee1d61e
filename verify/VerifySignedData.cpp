#include "verify/VerifySignedData.h"

#include <memory>
#include <vector>

#include "base/Captions.h"
#include "text/Cp949.h"
#include "verify/VerifierFailure.h"

namespace ledgra {
namespace {

const std::string& ModuleErrorPrefix() {
    return "검증모듈에러:"_cp949;
}

// Tells a failure as "<prefix><reason>" in a box without an icon under the application's name.
bool TellFailure(UserInterface& ui, SignatureReport* report, const std::string& prefix,
                 const std::string& reason) {
    ui.ShowMessage(prefix + reason, std::string(), MessageIcon::None);
    if (report) {
        report->verdict = SignatureVerdict::Failed;
        report->reason = reason;
    }
    return false;
}

// One use of the module.
class ModuleUse {
public:
    ModuleUse(ISignedDataVerifier& module, UserInterface& ui, SignatureReport* report)
        : m_module(module), m_ui(ui), m_report(report) {}

    bool Fail(const std::string& prefix, std::uint16_t status) {
        std::string reason = m_module.ErrorText();
        if (IsTrustFailure(status)) reason += "\n" + TrustFolderHint(m_module);
        return TellFailure(m_ui, m_report, prefix, reason);
    }

    bool Run(const std::string& signedText, std::string& content, bool listSigners) {
        const std::string& moduleError = ModuleErrorPrefix();
        if (std::uint16_t status =
                m_module.Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0)) {
            return Fail(moduleError, status);
        }
        if (std::uint16_t status = m_module.OpenSignedData(signedText, "")) {
            return Fail("검증모듈에러2:"_cp949, status);
        }
        std::string signedContent = m_module.ResultText();
        if (std::uint16_t status = m_module.VerifySignature()) return Fail(moduleError, status);

        std::string signerList;
        std::vector<SignerFacts> signers;
        const int signerCount = m_module.SignerCount();
        for (int signer = 1; signer <= signerCount; ++signer) {
            if (std::uint16_t status = m_module.LoadSignerName(signer)) {
                return Fail(moduleError, status);
            }
            SignerFacts facts = m_module.SignerCertificateFacts(signer);
            facts.name = m_module.ResultText();
            if (std::uint16_t status = m_module.LoadSigningTime(signer)) {
                return Fail(moduleError, status);
            }
            facts.signingTime = m_module.ResultText();
            if (listSigners) {
                signerList +=
                    "서명정보:"_cp949 + facts.name + ", 서명시간 : "_cp949 + facts.signingTime + "\n";
            }
            signers.push_back(std::move(facts));
        }
        if (listSigners) m_ui.ShowMessage(signerList, kSignerListCaption, MessageIcon::None);

        m_module.Finish();
        // The content is handed out only once every step has succeeded.
        content = std::move(signedContent);
        if (m_report) {
            m_report->verdict = SignatureVerdict::Verified;
            m_report->reason.clear();
            for (SignerFacts& facts : signers) m_report->signers.push_back(std::move(facts));
        }
        return true;
    }

private:
    ISignedDataVerifier& m_module;
    UserInterface& m_ui;
    SignatureReport* m_report;
};

}  // namespace

std::string TrustFolderHint(const std::string& trustFolder) {
    return "인증기관의 인증서를 "_cp949 + trustFolder + " 에 넣으면 확인됩니다."_cp949;
}

std::string TrustFolderHint(const ISignedDataVerifier& module) {
    return TrustFolderHint(Cp949FromUtf8(module.TrustFolder().native()));
}

bool VerifySignedData(const std::string& signedText, std::string& content, bool listSigners,
                      const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
                      SignatureReport* report) {
    // A module that cannot be created or fails inside counts as a failed verification and is
    // told like any other module error; the object is released on every path.
    std::unique_ptr<ISignedDataVerifier> module;
    try {
        if (verifierFactory) module = verifierFactory();
        if (!module) throw VerificationModuleError("검증모듈을 만들 수 없습니다."_cp949);
        return ModuleUse(*module, ui, report).Run(signedText, content, listSigners);
    } catch (const VerificationModuleError& error) {
        return TellFailure(ui, report, ModuleErrorPrefix(), error.what());
    }
}

void ShowModuleError(UserInterface& ui, const std::string& reason) {
    TellFailure(ui, nullptr, ModuleErrorPrefix(), reason);
}

}  // namespace ledgra
