#pragma once
// The summary of a verification run, taken from what the run tells the user: it passes every
// report on to the user interface it stands in front of and keeps the outcome, the signers the
// run named and the document file of the run that showed a page.

#include <optional>
#include <string>
#include <vector>

#include "app/VerificationSummary.h"
#include "base/UserInterface.h"
#include "verify/FrameState.h"

namespace ledgra {

class RunSummaryRecorder final : public UserInterface {
public:
    // `frame` names the run's document once the run has read it.
    RunSummaryRecorder(UserInterface& shown, const FrameState& frame);

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void SetStatusText(const std::string& text) override;
    void NavigateView(const std::filesystem::path& htmlFile) override;

    // The summary of the last run when it showed a page; nothing after a run that showed none
    // or whose document can no longer be read.
    const std::optional<VerificationSummary>& LastShown() const { return m_lastShown; }

private:
    void Record(const std::string& cp949Text);

    UserInterface& m_shown;
    const FrameState& m_frame;
    // The run under way: its start and its reports (UTF-8), in order.
    std::time_t m_startedAt = 0;
    std::vector<std::string> m_reports;
    std::optional<VerificationSummary> m_lastShown;
    std::optional<VerificationSummary> m_previous;
};

// The run's verdict and signers from its reports: the success text when the run gave one
// (with the signature line it may carry), else its last report; the signers from the
// "서명정보:" lines.
std::string VerdictOfReports(const std::vector<std::string>& reports);
std::vector<SignerSummary> SignersOfReports(const std::vector<std::string>& reports);

}  // namespace ledgra
