#pragma once
// Scoped states of the file tree: the wait cursor, suspended redrawing and suspended refresh.

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include <utility>

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

// Automatic refresh is off while the tree changes files itself, so that its own changes do not
// come back as change notices.
class RefreshSuspended {
public:
    explicit RefreshSuspended(bool& automaticRefresh)
        : m_flag(automaticRefresh), m_saved(std::exchange(automaticRefresh, false)) {}
    ~RefreshSuspended() { m_flag = m_saved; }
    RefreshSuspended(const RefreshSuspended&) = delete;
    RefreshSuspended& operator=(const RefreshSuspended&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

}  // namespace ledgra
