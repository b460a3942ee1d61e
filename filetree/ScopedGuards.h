#pragma once
// Scoped user-interface states of the file tree: the wait cursor and suspended redrawing.

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace ledgra {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Suspends redrawing of a widget for a scope; nested scopes leave it to the outermost one.
class RedrawSuspended {
public:
    RedrawSuspended(QWidget* widget, bool active = true)
        : m_widget(active && widget->updatesEnabled() ? widget : nullptr) {
        if (m_widget) m_widget->setUpdatesEnabled(false);
    }
    ~RedrawSuspended() {
        if (m_widget) m_widget->setUpdatesEnabled(true);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

private:
    QWidget* m_widget;
};

}  // namespace ledgra
