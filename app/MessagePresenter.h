#pragma once
// Shows the program's modal message boxes. The window asks a presenter instead of opening
// boxes itself, so that tests can record the messages instead of blocking on them.

#include <QFont>
#include <QString>

#include "base/UserInterface.h"

class QWidget;

namespace ledgra {

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // A modal box with an OK button over `parent` (null: no owner). An empty caption shows the
    // application's name.
    virtual void Present(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) = 0;
};

// The width a message box needs for its caption in the title bar (bounded, as a caption may be
// any text).
int CaptionWidth(const QString& caption, QFont font);

// The presenter of the running program: QMessageBox, at least as wide as its caption needs.
class BoxMessagePresenter final : public MessagePresenter {
public:
    void Present(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon) override;
};

}  // namespace ledgra
