#include "app/RunSummaryRecorder.h"

#include <algorithm>
#include <string_view>

#include "base/FileAccess.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

constexpr std::string_view kStarted = "전자문서의 서명검증을 시작합니다.";
constexpr std::string_view kSucceeded = "서명검증이 성공했습니다.";
constexpr std::string_view kSignerMark = "서명정보:";
constexpr std::string_view kTimeMark = ", 서명시간 : ";
constexpr std::string_view kCertificateMark = "인증서: ";
// The module succeeds only for signers whose certificates chain to a trusted root; the run
// says so in these words of an XML signer's certificate.
constexpr std::string_view kTrustedCertificate =
    "인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다.";
// Documents larger than this are not documents (the run reads no more either).
constexpr std::size_t kMaxDocumentBytes = std::size_t{256} << 20;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos;) {
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (!text.empty()) lines.push_back(text);
    return lines;
}

bool Succeeded(const std::vector<std::string>& reports) {
    return std::any_of(reports.begin(), reports.end(),
                       [](const std::string& report) { return report.starts_with(kSucceeded); });
}

// "서명정보:<name>, 서명시간 : <time>", with " 인증서: ..." after it or on the next line.
SignerSummary SignerOfLine(std::string_view line, std::string_view nextLine) {
    std::string_view rest = line.substr(line.find(kSignerMark) + kSignerMark.size());
    SignerSummary signer;
    const std::size_t time = rest.find(kTimeMark);
    signer.name = Trimmed(rest.substr(0, time));
    if (time == std::string_view::npos) return signer;
    rest.remove_prefix(time + kTimeMark.size());
    const std::size_t certificate = rest.find(kCertificateMark);
    signer.signingTime = Trimmed(rest.substr(0, certificate));
    if (certificate != std::string_view::npos) {
        signer.certificate = rest.substr(certificate);
    } else if (nextLine.starts_with(kCertificateMark)) {
        signer.certificate = nextLine;
    }
    return signer;
}

}  // namespace

std::string VerdictOfReports(const std::vector<std::string>& reports) {
    for (const std::string& report : reports) {
        if (report.starts_with(kSucceeded)) return report;
    }
    return reports.empty() ? std::string() : reports.back();
}

std::vector<SignerSummary> SignersOfReports(const std::vector<std::string>& reports) {
    const bool succeeded = Succeeded(reports);
    std::vector<SignerSummary> signers;
    for (const std::string& report : reports) {
        const std::vector<std::string_view> lines = Lines(report);
        for (std::size_t index = 0; index < lines.size(); ++index) {
            if (lines[index].find(kSignerMark) == std::string_view::npos) continue;
            SignerSummary signer = SignerOfLine(
                lines[index], index + 1 < lines.size() ? lines[index + 1] : std::string_view());
            if (signer.certificate.empty() && succeeded) signer.certificate = kTrustedCertificate;
            // The first pass over a ".tsn" file may name the signers once more.
            if (std::find(signers.begin(), signers.end(), signer) == signers.end()) {
                signers.push_back(std::move(signer));
            }
        }
    }
    return signers;
}

RunSummaryRecorder::RunSummaryRecorder(UserInterface& shown, const FrameState& frame)
    : m_shown(shown), m_frame(frame) {}

void RunSummaryRecorder::ShowMessage(const std::string& text, const std::string& caption,
                                     MessageIcon icon) {
    Record(text);
    m_shown.ShowMessage(text, caption, icon);
}

void RunSummaryRecorder::SetStatusText(const std::string& text) {
    Record(text);
    m_shown.SetStatusText(text);
}

void RunSummaryRecorder::Record(const std::string& cp949Text) {
    std::string text = Utf8FromCp949(cp949Text);
    if (text != kStarted) {
        m_reports.push_back(std::move(text));
        return;
    }
    // A new run: nothing of the previous one may go into its proof.
    m_startedAt = std::time(nullptr);
    m_reports.clear();
    m_previous = std::move(m_lastShown);
    m_lastShown.reset();
}

void RunSummaryRecorder::NavigateView(const std::filesystem::path& htmlFile) {
    m_shown.NavigateView(htmlFile);
    const std::filesystem::path& document = m_frame.m_strDocPath;
    std::optional<std::string> bytes = ReadRegularFile(document, kMaxDocumentBytes);
    if (!bytes) return;
    VerificationSummary summary{document, std::move(*bytes), VerdictOfReports(m_reports),
                                SignersOfReports(m_reports), m_startedAt};
    // The other copy of an invoice is verified again without a word: its verdict is the one
    // the same document had.
    if (summary.verdict.empty() && m_previous && m_previous->document == document) {
        summary.verdict = m_previous->verdict;
        summary.signers = m_previous->signers;
    }
    m_lastShown = std::move(summary);
}

}  // namespace ledgra
