#pragma once
// Shows the program's modal message boxes. The window asks a presenter instead of opening
// boxes itself, so that tests can record the messages instead of blocking on them.

#include <QString>

#include "render/UserInterface.h"

class QWidget;

namespace ledgra {

// The caption of a box that names none of its own.
inline constexpr const char* kApplicationName = "ZOVA Viewer";

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    // A modal box with an OK button over `parent` (null: no owner). An empty caption shows the
    // application's name.
    virtual void Present(QWidget* parent, const QString& text, const QString& caption,
                         MessageIcon icon) = 0;
};

// The presenter of the running program: QMessageBox.
class BoxMessagePresenter final : public MessagePresenter {
public:
    void Present(QWidget* parent, const QString& text, const QString& caption,
                 MessageIcon icon) override;
};

}  // namespace ledgra
