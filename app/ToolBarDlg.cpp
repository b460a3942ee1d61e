#include "app/ToolBarDlg.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QToolButton>

#include "filetree/FrameOperations.h"

// The pictures are compiled into this library; a static library has to load them explicitly.
static void LoadButtonPictures() {
    Q_INIT_RESOURCE(ledgra);
}

namespace ledgra {
namespace {

// The bar's buttons are laid out in dialog units of the original command bar (29 or 39 wide,
// 32 high); one unit is about 1.5 pixels across and 1.6 down.
constexpr int kButtonHeight = 52;
constexpr int kNarrowButtonWidth = 44;
constexpr int kWideButtonWidth = 59;

}  // namespace

CToolBarDlg::CToolBarDlg(FrameOperations& frame, QWidget* parent)
    : QWidget(parent), m_frame(frame) {
    LoadButtonPictures();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    AddButton(kVerifyButtonId, kNarrowButtonWidth, QStringLiteral("검 증"),
              QStringLiteral(":/pictures/152.png"), 2);
    AddButton(kPrintButtonId, kNarrowButtonWidth, QStringLiteral("출 력"),
              QStringLiteral(":/pictures/150.png"), 3);
    AddButton(kSettingsButtonId, kNarrowButtonWidth, QStringLiteral("설 정"),
              QStringLiteral(":/pictures/151.png"), 1);
    AddButton(kCopyButtonId, kWideButtonWidth, QStringLiteral("공급받는자"),
              QStringLiteral(":/pictures/184.png"), 4);
    layout->addStretch(1);
}

void CToolBarDlg::AddButton(int id, int width, const QString& caption, const QString& picture,
                            int routeCode) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(width, kButtonHeight);
    connect(button, &QToolButton::clicked, this,
            [this, routeCode] { m_frame.RouteCommand(routeCode); });
    m_buttons[id] = button;
    layout()->addWidget(button);
    SetButtonCaption(id, caption);
}

QToolButton* CToolBarDlg::Button(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

void CToolBarDlg::SetButtonCaption(int id, const QString& caption) {
    if (QToolButton* button = Button(id)) {
        button->setText(caption);
        button->setToolTip(caption);
    }
}

}  // namespace ledgra
