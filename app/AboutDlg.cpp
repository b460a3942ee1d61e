#include "app/AboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ledgra {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent),
      m_text(new QLabel(QStringLiteral("Viewer 버전 1.0"), this)),
      m_ok(new QPushButton(QStringLiteral("확인"), this)) {
    setWindowTitle(QStringLiteral("Viewer 1.0 정보"));
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(m_text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint().expandedTo(QSize(260, 100)));
}

}  // namespace ledgra
