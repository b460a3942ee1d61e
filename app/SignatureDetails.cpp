#include "app/SignatureDetails.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/SignatureBar.h"
#include "filetree/NativeNames.h"
#include "text/QtCp949.h"

namespace ledgra {
namespace {

constexpr QSize kDialogSize(640, 480);

QString Text(const std::string& cp949) {
    return QStringFromCp949(cp949);
}

QString OrNone(const std::string& cp949) {
    return cp949.empty() ? u"없음"_qs : Text(cp949);
}

void AppendSigner(QStringList& lines, int number, const SignerFacts& signer) {
    lines.append(u"서명자 %1: "_qs.arg(number) + Text(signer.name));
    lines.append(u"  주체: "_qs + OrNone(signer.subject));
    lines.append(u"  발급자: "_qs + OrNone(signer.issuer));
    lines.append(u"  일련번호: "_qs + OrNone(signer.serial));
    lines.append(u"  유효기간: "_qs + OrNone(signer.validFrom) + u" ~ "_qs +
                 OrNone(signer.validUntil));
    lines.append(u"  서명시간: "_qs + OrNone(signer.signingTime));
    lines.append(u"  다이제스트 알고리즘: "_qs + OrNone(signer.digestAlgorithm));
    lines.append(u"  서명 알고리즘: "_qs + OrNone(signer.signatureAlgorithm));
    lines.append(u"  인증 경로:"_qs);
    for (std::size_t at = 0; at < signer.chain.size(); ++at) {
        lines.append(QString(4 + 2 * static_cast<int>(at), u' ') + Text(signer.chain[at]));
    }
    if (signer.untrustedReason.empty()) {
        lines.append(u"    → 신뢰하는 인증기관의 루트 인증서까지 확인되었습니다."_qs);
    } else {
        lines.append(u"    → 여기서 멈춤: "_qs + Text(signer.untrustedReason).replace(u'\n', u' '));
    }
}

}  // namespace

QString SignatureDetailsText(const RunOutcome& outcome,
                             const std::optional<std::vector<Finding>>& findings) {
    const SignatureReport& report = outcome.signature;
    QStringList lines;
    lines.append(u"파일: "_qs + DisplayPath(outcome.document.filename()));
    lines.append(u"검증 결과: "_qs + LookOf(report.verdict).word);
    if (!report.reason.empty()) lines.append(u"사유: "_qs + Text(report.reason));
    if (!outcome.shown && !outcome.failure.empty() && outcome.failure != report.reason) {
        lines.append(u"화면에 표시하지 못함: "_qs + Text(outcome.failure));
    }
    if (!report.trustFolder.empty()) lines.append(u"신뢰 폴더: "_qs + Text(report.trustFolder));
    for (std::size_t at = 0; at < report.signers.size(); ++at) {
        lines.append(QString());
        AppendSigner(lines, static_cast<int>(at + 1), report.signers[at]);
    }
    if (!report.coverage.empty()) {
        lines.append(QString());
        lines.append(Text(report.coverage));
    }
    if (findings) {
        lines.append(QString());
        lines.append(u"검사 결과:"_qs);
        if (findings->empty()) lines.append(u"  이상 없음"_qs);
        for (const Finding& finding : *findings) {
            lines.append(u"  ["_qs + QString::fromUtf8(SeverityName(finding.severity)) + u"] "_qs +
                         QString::fromStdString(finding.rule) + u' ' +
                         QString::fromStdString(finding.field) + u": "_qs +
                         QString::fromStdString(finding.message));
        }
    }
    return lines.join(u'\n') + u'\n';
}

SignatureDetailsDialog::SignatureDetailsDialog(const QString& text, QWidget* parent)
    : QDialog(parent), m_text(new QPlainTextEdit(text, this)) {
    setWindowTitle(QString::fromUtf16(kSignatureDetailsCaption));
    resize(kDialogSize);
    // Read only, but selectable and copyable with the mouse and the keyboard.
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    m_text->setFocus(Qt::OtherFocusReason);
}

}  // namespace ledgra
