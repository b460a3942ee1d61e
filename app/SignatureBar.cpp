#include "app/SignatureBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/SignatureDetails.h"
#include "records/InvoiceChecks.h"
#include "records/ReadInvoiceRecord.h"
#include "records/RecordValues.h"
#include "text/QtCp949.h"

namespace ledgra {
namespace {

constexpr int kIconSize = 16;

QString SignerList(const std::vector<SignerFacts>& signers) {
    QStringList named;
    for (const SignerFacts& signer : signers) {
        QString entry = QStringFromCp949(signer.name);
        if (!signer.signingTime.empty()) {
            entry += u" ("_qs + QStringFromCp949(signer.signingTime) + u')';
        }
        named.append(entry);
    }
    return named.join(u", "_qs);
}

QString CheckCount(const std::vector<Finding>& findings) {
    qsizetype errors = 0;
    for (const Finding& finding : findings) errors += finding.severity == Severity::Error ? 1 : 0;
    if (findings.empty()) return u"검사: 이상 없음"_qs;
    return u"검사: 오류 %1, 경고 %2"_qs.arg(errors).arg(static_cast<qsizetype>(findings.size()) -
                                                        errors);
}

}  // namespace

BarLook LookOf(SignatureVerdict verdict) {
    switch (verdict) {
        case SignatureVerdict::Verified:
            return {u"확인됨"_qs, QColor(0xd8, 0xf0, 0xd8), QStyle::SP_DialogApplyButton};
        case SignatureVerdict::Unconfirmed:
            return {u"확인 불가"_qs, QColor(0xff, 0xf0, 0xc0), QStyle::SP_MessageBoxWarning};
        case SignatureVerdict::Unsigned:
            return {u"서명 없음"_qs, QColor(0xe4, 0xe8, 0xf0), QStyle::SP_MessageBoxInformation};
        case SignatureVerdict::Failed:
            return {u"실패"_qs, QColor(0xf8, 0xd0, 0xd0), QStyle::SP_MessageBoxCritical};
    }
    return {};
}

std::optional<std::vector<Finding>> ChecksOfShownInvoice(const RunOutcome& outcome) {
    if (!outcome.shown || outcome.copy == 0) return std::nullopt;
    const std::optional<InvoiceRecord> record =
        ReadInvoiceRecord(outcome.pattern, outcome.shownContent, &outcome.shownTree);
    if (!record) return std::nullopt;
    return CheckInvoice(*record, Today());
}

QString BarText(const RunOutcome& outcome, const std::optional<std::vector<Finding>>& findings) {
    const SignatureReport& report = outcome.signature;
    // What the user must know first comes first: the line may be cut at the window's edge.
    QStringList parts{LookOf(report.verdict).word};
    if (report.verdict == SignatureVerdict::Unconfirmed)
        parts.append(QStringFromCp949(report.reason));
    // A failed run, or a verified document whose page could not be made, says why.
    if (!outcome.shown) parts.append(QStringFromCp949(outcome.failure));
    if (findings) parts.append(CheckCount(*findings));
    if (!report.signers.empty() && report.verdict != SignatureVerdict::Failed) {
        parts.append(u"서명자: "_qs + SignerList(report.signers));
    }
    // One line: a reason may carry line breaks (the trust folder's hint).
    return parts.join(u" · "_qs).replace(u'\n', u' ');
}

SignatureBar::SignatureBar(QWidget* parent)
    : QFrame(parent),
      m_icon(new QLabel(this)),
      m_text(new QLabel(this)),
      m_details(new QPushButton(QString::fromUtf16(kSignatureDetailsCaption), this)) {
    setObjectName(u"signatureBar"_qs);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_icon);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_details);
    connect(m_details, &QPushButton::clicked, this, &SignatureBar::OpenDetails);
    hide();
}

void SignatureBar::ShowRun(const RunOutcome& outcome) {
    const BarLook look = LookOf(outcome.signature.verdict);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, look.background);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    m_icon->setPixmap(style()->standardIcon(look.icon).pixmap(kIconSize, kIconSize));
    const std::optional<std::vector<Finding>> findings = ChecksOfShownInvoice(outcome);
    const QString text = BarText(outcome, findings);
    m_text->setText(text);
    m_text->setToolTip(text);
    m_detailsText = SignatureDetailsText(outcome, findings);
    // Details of an earlier document would now be wrong.
    if (m_detailsWindow) m_detailsWindow->close();
    show();
}

QString SignatureBar::Text() const {
    return m_text->text();
}

void SignatureBar::OpenDetails() {
    auto* dialog = new SignatureDetailsDialog(m_detailsText, window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_detailsWindow = dialog;
    dialog->show();
}

}  // namespace ledgra
