#include "app/MessagePresenter.h"

#include <QMessageBox>
#include <QPushButton>

#include "base/ProgramNames.h"

namespace ledgra {

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
    box.exec();
}

}  // namespace ledgra
