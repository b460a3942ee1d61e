#include "app/MessagePresenter.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <algorithm>

#include "base/ProgramNames.h"

namespace ledgra {
namespace {

// Keeps the box at least as wide as its caption needs in the title bar: Qt sizes a box by its
// text, and a short text under a longer caption had the caption cut ("에러...시지").
void FitCaption(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle(), box.font()), 0,
                                  QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

int CaptionWidth(const QString& caption, QFont font) {
    // Title bars are often bold; the desktop puts its icon and buttons beside the caption.
    font.setBold(true);
    constexpr int kTitleBarButtons = 150;
    constexpr int kWidest = 640;
    return std::min(QFontMetrics(font).horizontalAdvance(caption) + kTitleBarButtons, kWidest);
}

void BoxMessagePresenter::Present(QWidget* parent, const QString& text, const QString& caption,
                                  MessageIcon icon) {
    QMessageBox box(parent);
    box.setWindowTitle(caption.isEmpty() ? QString::fromLatin1(kProgramName) : caption);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);  // document texts are shown as they are, never as markup
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    box.addButton(QStringLiteral("확인"), QMessageBox::AcceptRole);
    FitCaption(box);
    box.exec();
}

}  // namespace ledgra
