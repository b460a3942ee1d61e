#pragma once
// The line above the page that tells, after every run, what the document's signature is
// worth: an icon and a colour per verdict, the signers with their signing times (or why the
// run failed) and, for an invoice, what its checks found. It is a widget of the window, never
// part of the page, so neither printing nor a saved PDF carries it. Its button opens the
// details.

#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QString>
#include <QStyle>

#include <optional>
#include <vector>

#include "records/Finding.h"
#include "verify/VerificationRun.h"

class QLabel;
class QPushButton;

namespace ledgra {

// The caption of the bar's button and the title of the window it opens.
inline constexpr const char16_t* kSignatureDetailsCaption = u"서명 정보";

struct BarLook {
    QString word;  // 확인됨, 확인 불가, 서명 없음, 실패
    QColor background;
    QStyle::StandardPixmap icon;
};

BarLook LookOf(SignatureVerdict verdict);

// The checks of the invoice a run showed, over the record read from the content it verified;
// nothing when the run showed no invoice or its content reads as none.
std::optional<std::vector<Finding>> ChecksOfShownInvoice(const RunOutcome& outcome);

// The bar's line: the verdict's word, why the signer could not be confirmed or the run showed
// no page, "검사: 오류 N, 경고 M" or "검사: 이상 없음" when an invoice was checked, then the
// signers with their signing times.
QString BarText(const RunOutcome& outcome, const std::optional<std::vector<Finding>>& findings);

class SignatureBar : public QFrame {
    Q_OBJECT

public:
    explicit SignatureBar(QWidget* parent = nullptr);

    // Tells the run that just ended; the bar is hidden until the first one.
    void ShowRun(const RunOutcome& outcome);

    QString Text() const;
    QPushButton& DetailsButton() const { return *m_details; }
    // The details window the button opened last; null while none is open.
    QWidget* DetailsWindow() const { return m_detailsWindow; }

private:
    void OpenDetails();

    QLabel* m_icon;
    QLabel* m_text;
    QPushButton* m_details;
    QString m_detailsText;
    QPointer<QWidget> m_detailsWindow;
};

}  // namespace ledgra
