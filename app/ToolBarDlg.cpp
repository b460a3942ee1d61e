#include "app/ToolBarDlg.h"

#include <QHBoxLayout>
#include <QPalette>

#include "app/MainFrame.h"
#include "text/QtCp949.h"
#include "verify/FrameCommand.h"
#include "widgets/ButtonST.h"

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

CToolBarDlg::CToolBarDlg(CMainFrame& frame, QWidget* parent) : QWidget(parent), m_frame(frame) {
    LoadButtonPictures();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(0);
    AddButton(kVerifyButtonId, kNarrowButtonWidth, QStringLiteral("검 증"), 152,
              FrameCommand::VerifySelected);
    AddButton(kPrintButtonId, kNarrowButtonWidth, QStringLiteral("출 력"), 150, FrameCommand::Print);
    AddButton(kSettingsButtonId, kNarrowButtonWidth, QStringLiteral("설 정"), 151,
              FrameCommand::OpenSettings);
    AddButton(kCopyButtonId, kWideButtonWidth, QStringFromCp949(BuyerCopyCaption()), 184,
              FrameCommand::ShowOtherCopy);
    layout->addStretch(1);
}

void CToolBarDlg::AddButton(int id, int width, const QString& caption, int picture,
                            FrameCommand command) {
    auto* button = new CButtonST(this);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    button->setFixedSize(width, kButtonHeight);
    // Pixels of the desktop's window colour let the button's face through.
    button->SetPicture(picture, palette().color(QPalette::Base));
    connect(button, &CButtonST::clicked, this,
            [this, command] { m_frame.RouteCommand(static_cast<int>(command)); });
    m_buttons[id] = button;
    layout()->addWidget(button);
    SetButtonCaption(id, caption);
    button->SetLayout(CButtonST::ImageAbove);
}

QAbstractButton* CToolBarDlg::Button(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

void CToolBarDlg::SetButtonCaption(int id, const QString& caption) {
    const auto found = m_buttons.find(id);
    if (found == m_buttons.end()) return;
    found->second->setText(caption);
    found->second->SetTip(caption, true);
}

}  // namespace ledgra
