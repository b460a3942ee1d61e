#pragma once
// The about box of the Help menu.

#include <QDialog>

class QLabel;
class QPushButton;

namespace ledgra {

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* TextLabel() const { return m_text; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QLabel* m_text;
    QPushButton* m_ok;
};

}  // namespace ledgra
