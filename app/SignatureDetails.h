#pragma once
// The signature details the bar's button opens: for each signer what the certificate says and
// how far its chain was traced, what a plain XML signature covers, and every finding of an
// invoice's checks. Plain text the user can select and copy.

#include <QDialog>
#include <QString>

#include <optional>
#include <vector>

#include "records/Finding.h"
#include "verify/VerificationRun.h"

class QPlainTextEdit;

namespace ledgra {

QString SignatureDetailsText(const RunOutcome& outcome,
                             const std::optional<std::vector<Finding>>& findings);

class SignatureDetailsDialog : public QDialog {
    Q_OBJECT

public:
    SignatureDetailsDialog(const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit& TextView() const { return *m_text; }

private:
    QPlainTextEdit* m_text;
};

}  // namespace ledgra
