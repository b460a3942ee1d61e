#pragma once
// One use of the verification module for one signed text: open it, take its content, verify
// the signature, read the signers; optionally list the signers to the user.

#include <string>

#include "base/UserInterface.h"
#include "verify/SignatureVerdict.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra {

// True when the signed text verified; `content` then holds its content and is left untouched
// otherwise. Every failure is told to the user ("검증모듈에러:%s" / "검증모듈에러2:%s"), a
// module that cannot be created or fails inside included. With `listSigners` the signers are
// shown in one box, a line "서명정보:<name>, 서명시간 : <time>" each.
// A failure of trust (IsTrustFailure) is followed by a line TrustFolderHint. With `report`,
// the outcome goes there too: Verified with the signers' names and signing times appended, or
// Failed with the reason told.
bool VerifySignedData(const std::string& signedText, std::string& content, bool listSigners,
                      const SignedDataVerifierFactory& verifierFactory, UserInterface& ui,
                      SignatureReport* report = nullptr);

// Tells a verification failure as the module's errors are told: "검증모듈에러:<reason>".
void ShowModuleError(UserInterface& ui, const std::string& reason);

}  // namespace ledgra
