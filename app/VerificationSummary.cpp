#include "app/VerificationSummary.h"

#include "text/Cp949.h"

namespace ledgra {

VerificationSummary SummaryOfRun(const RunOutcome& outcome) {
    VerificationSummary summary{outcome.document,
                                outcome.fileBytes,
                                Utf8FromCp949(outcome.statusLine),
                                {},
                                outcome.checkedAt};
    for (const SignerFacts& signer : outcome.signature.signers) {
        summary.signers.push_back(
            {Utf8FromCp949(signer.name), Utf8FromCp949(signer.signingTime),
             signer.untrustedReason.empty()
                 ? std::string("인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다.")
                 : "인증서: 확인되지 않았습니다 - " + Utf8FromCp949(signer.untrustedReason)});
    }
    return summary;
}

}  // namespace ledgra
