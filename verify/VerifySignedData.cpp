#include "verify/VerifySignedData.h"

#include <memory>

#include "base/Captions.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// Module errors are boxes without an icon under the application's name.
void ShowModuleError(UserInterface& ui, const std::string& prefix, const std::string& reason) {
    ui.ShowMessage(prefix + reason, std::string(), MessageIcon::None);
}

const std::string& ModuleErrorPrefix() {
    return "검증모듈에러:"_cp949;
}

bool UseModule(ISignedDataVerifier& module, const std::string& signedText, std::string& content,
               bool listSigners, UserInterface& ui) {
    const std::string& moduleError = ModuleErrorPrefix();
    if (module.Initialize("", CaDirectoryList(), "", "", 0, 1, 0, 1, 1, 0) != 0) {
        ShowModuleError(ui, moduleError, module.ErrorText());
        return false;
    }
    if (module.OpenSignedData(signedText, "") != 0) {
        ShowModuleError(ui, "검증모듈에러2:"_cp949, module.ErrorText());
        return false;
    }
    std::string signedContent = module.ResultText();
    if (module.VerifySignature() != 0) {
        ShowModuleError(ui, moduleError, module.ErrorText());
        return false;
    }

    std::string signerList;
    const int signerCount = module.SignerCount();
    for (int signer = 1; signer <= signerCount; ++signer) {
        if (module.LoadSignerName(signer) != 0) {
            ShowModuleError(ui, moduleError, module.ErrorText());
            return false;
        }
        const std::string name = module.ResultText();
        if (module.LoadSigningTime(signer) != 0) {
            ShowModuleError(ui, moduleError, module.ErrorText());
            return false;
        }
        const std::string time = module.ResultText();
        if (listSigners) {
            signerList += "서명정보:"_cp949 + name + ", 서명시간 : "_cp949 + time + "\n";
        }
    }
    if (listSigners) ui.ShowMessage(signerList, kSignerListCaption, MessageIcon::None);

    module.Finish();
    // The content is handed out only once every step has succeeded.
    content = std::move(signedContent);
    return true;
}

}  // namespace

bool VerifySignedData(const std::string& signedText, std::string& content, bool listSigners,
                      const SignedDataVerifierFactory& verifierFactory, UserInterface& ui) {
    // A module that cannot be created or fails inside counts as a failed verification and is
    // told like any other module error; the object is released on every path.
    try {
        std::unique_ptr<ISignedDataVerifier> module;
        if (verifierFactory) module = verifierFactory();
        if (!module) throw VerificationModuleError("검증모듈을 만들 수 없습니다."_cp949);
        return UseModule(*module, signedText, content, listSigners, ui);
    } catch (const VerificationModuleError& error) {
        ShowModuleError(ui, ModuleErrorPrefix(), error.what());
        return false;
    }
}

void ShowModuleError(UserInterface& ui, const std::string& reason) {
    ShowModuleError(ui, ModuleErrorPrefix(), reason);
}

}  // namespace ledgra
