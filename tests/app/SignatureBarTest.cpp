// The signature bar's line and look per verdict, and the details behind its button.

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "app/SignatureBar.h"
#include "app/SignatureDetails.h"
#include "app/VerificationSummary.h"
#include "tests/app/AppTestSupport.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

SignerFacts Signer(const char* name, const char* untrustedReason = "") {
    SignerFacts signer;
    signer.name = Cp949FromUtf8(name);
    signer.subject = "CN=" + signer.name;
    signer.signingTime = "2024-03-15 10:00:00 UTC";
    signer.chain = {signer.subject, "CN=Root"};
    signer.untrustedReason = Cp949FromUtf8(untrustedReason);
    return signer;
}

RunOutcome Outcome(SignatureVerdict verdict, std::vector<SignerFacts> signers, bool shown,
                   const char* reason = "") {
    RunOutcome outcome;
    outcome.document = "/docs/세금계산서.KTX";
    outcome.signature.verdict = verdict;
    outcome.signature.signers = std::move(signers);
    outcome.signature.reason = Cp949FromUtf8(reason);
    outcome.shown = shown;
    if (!shown) outcome.failure = outcome.signature.reason;
    return outcome;
}

TEST(SignatureBarTest, EachVerdictHasItsOwnWordColourIconAndLine) {
    const Finding error{"K02", Severity::Error, "등록번호", "공급받는자 등록번호"};
    const Finding warning{"K13", Severity::Warning, "지연 발급", "승인번호"};
    const struct {
        RunOutcome outcome;
        std::optional<std::vector<Finding>> findings;
        QString word;
        QString line;
    } rows[] = {
        {Outcome(SignatureVerdict::Verified, {Signer("가나상사"), Signer("다라물산")}, true),
         std::vector<Finding>{}, u"확인됨"_qs,
         u"확인됨 · 검사: 이상 없음 · 서명자: 가나상사 (2024-03-15 10:00:00 UTC), 다라물산 "
         u"(2024-03-15 10:00:00 UTC)"_qs},
        {Outcome(SignatureVerdict::Unconfirmed, {Signer("가나상사", "알 수 없는 인증기관")}, true,
                 "알 수 없는 인증기관"),
         std::vector<Finding>{error, warning, warning}, u"확인 불가"_qs,
         u"확인 불가 · 알 수 없는 인증기관 · 검사: 오류 1, 경고 2 · 서명자: 가나상사 (2024-03-15 "
         u"10:00:00 UTC)"_qs},
        {Outcome(SignatureVerdict::Unsigned, {}, true), std::nullopt, u"서명 없음"_qs,
         u"서명 없음"_qs},
        {Outcome(SignatureVerdict::Failed, {}, false, "서명된 내용이\n바뀌었습니다."), std::nullopt,
         u"실패"_qs, u"실패 · 서명된 내용이 바뀌었습니다."_qs},
    };
    std::vector<QRgb> colours;
    std::vector<QStyle::StandardPixmap> icons;
    for (const auto& row : rows) {
        const BarLook look = LookOf(row.outcome.signature.verdict);
        EXPECT_EQ(look.word, row.word);
        EXPECT_EQ(BarText(row.outcome, row.findings), row.line);
        for (const QRgb colour : colours)
            EXPECT_NE(look.background.rgb(), colour) << row.line.toStdString();
        for (const QStyle::StandardPixmap icon : icons)
            EXPECT_NE(look.icon, icon) << row.line.toStdString();
        colours.push_back(look.background.rgb());
        icons.push_back(look.icon);
    }
}

class SignatureDetailsTest : public testing::AppTest {};

TEST_F(SignatureDetailsTest, NameEverySignersChainCoverageAndFindingAsSelectableText) {
    RunOutcome outcome =
        Outcome(SignatureVerdict::Unconfirmed, {Signer("가나상사", "알 수 없는 인증기관")}, true,
                "알 수 없는 인증기관");
    outcome.signature.coverage = Cp949FromUtf8("서명되지 않은 부분: 교환 문서 정보");
    outcome.copy = 1;
    const std::vector<Finding> findings{
        {"K02", Severity::Error, "맞지 않습니다", "공급받는자 등록번호"}};
    const QString text = SignatureDetailsText(outcome, findings);
    for (
        const QString& part :
        {u"파일: 세금계산서.KTX\n"_qs, u"서명자 1: 가나상사\n  주체: CN=가나상사\n"_qs,
         u"  인증 경로:\n    CN=가나상사\n      CN=Root\n    → 여기서 멈춤: 알 수 없는 인증기관\n"_qs,
         u"서명되지 않은 부분: 교환 문서 정보\n"_qs,
         u"  [오류] K02 공급받는자 등록번호: 맞지 않습니다\n"_qs}) {
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << "\n" << text.toStdString();
    }

    SignatureBar bar;
    EXPECT_FALSE(bar.isVisibleTo(nullptr));
    bar.ShowRun(outcome);
    bar.DetailsButton().click();
    auto* dialog = qobject_cast<SignatureDetailsDialog*>(bar.DetailsWindow());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), u"서명 정보"_qs);
    QPlainTextEdit& view = dialog->TextView();
    EXPECT_TRUE(view.isReadOnly());
    EXPECT_TRUE(view.textInteractionFlags() & Qt::TextSelectableByKeyboard);
    view.selectAll();
    EXPECT_TRUE(view.textCursor().selectedText().contains(u"가나상사"_qs));
    // The next run's details replace these.
    bar.ShowRun(Outcome(SignatureVerdict::Unsigned, {}, true));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(bar.DetailsWindow(), nullptr);
}

TEST(SummaryOfRunTest, TakesTheBytesTheVerdictAndEverySignerFromTheRun) {
    RunOutcome outcome = Outcome(SignatureVerdict::Verified, {Signer("가나상사")}, true);
    outcome.signature.signers.push_back(Signer("다라물산", "만료된 인증서"));
    outcome.fileBytes = std::string("M\0bytes", 7);
    outcome.statusLine = Cp949FromUtf8("서명검증이 성공했습니다.");
    const VerificationSummary summary = SummaryOfRun(outcome);
    EXPECT_EQ(summary.documentBytes, outcome.fileBytes);
    EXPECT_EQ(summary.verdict, "서명검증이 성공했습니다.");
    EXPECT_EQ(summary.signers,
              (std::vector<SignerSummary>{{"가나상사", "2024-03-15 10:00:00 UTC",
                                           "인증서: 신뢰하는 인증기관의 인증서로 확인되었습니다."},
                                          {"다라물산", "2024-03-15 10:00:00 UTC",
                                           "인증서: 확인되지 않았습니다 - 만료된 인증서"}}));
}

}  // namespace
}  // namespace ledgra
