#include "app/NavoTaxExplorerView.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "app/AttachmentWindows.h"
#include "app/PageProfile.h"

namespace ledgra {
namespace {

bool IsRightButtonPress(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
        return false;
    }
    return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
}

bool IsDragEvent(const QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::DragLeave:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

CNAVO_TaxExplorerView::CNAVO_TaxExplorerView(PageProfile& profile, QWidget* parent)
    : QWebEngineView(parent), m_profile(profile), m_page(new LockedPage(profile, this)) {
    setPage(m_page);
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_page->SetWindowFactory([this] {
        LockedPage* page = OpenAttachmentWindow(m_profile, this);
        m_attachmentWindows.emplace_back(QWebEngineView::forPage(page));
        return page;
    });
    // A file dragged over the page once crashed the engine: no widget of the view takes drops,
    // so a drop goes to the window around it.
    setAcceptDrops(false);
    // The engine draws into a child widget, which is where the mouse events arrive.
    for (QObject* child : children()) Guard(child);
    // The engine may start a new page at its own zoom while still reporting the view's, and
    // takes a zoom equal to the one it reports for no change: every page that finished loading
    // is set to 100 % and then to the view's zoom.
    connect(this, &QWebEngineView::loadFinished, this, [this] {
        if (m_zoomPercent == kDefaultZoom) return;
        setZoomFactor(1.0);
        setZoomFactor(m_zoomPercent / 100.0);
    });
}

void CNAVO_TaxExplorerView::Navigate2(const std::filesystem::path& htmlFile) {
    CloseAttachmentWindows();
    m_page->LoadOwn(htmlFile);
}

void CNAVO_TaxExplorerView::ShowNotice(const QString& html) {
    CloseAttachmentWindows();
    m_page->LoadNotice(html);
}

void CNAVO_TaxExplorerView::CloseAttachmentWindows() {
    for (const QPointer<QWidget>& window : m_attachmentWindows) {
        if (window) window->deleteLater();
    }
    m_attachmentWindows.clear();
}

void CNAVO_TaxExplorerView::RememberZoomIn(Profile& profile) {
    m_zoomStore = &profile;
    m_zoomPercent = StoredZoom(profile);
    setZoomFactor(m_zoomPercent / 100.0);
}

void CNAVO_TaxExplorerView::SetZoomPercent(int percent) {
    if (!m_zoomStore) return;
    m_zoomPercent = ClampedZoom(percent);
    setZoomFactor(m_zoomPercent / 100.0);
    StoreZoom(*m_zoomStore, m_zoomPercent);
}

void CNAVO_TaxExplorerView::Guard(QObject* child) {
    if (!child->isWidgetType()) return;
    static_cast<QWidget*>(child)->setAcceptDrops(false);
    child->installEventFilter(this);
}

void CNAVO_TaxExplorerView::childEvent(QChildEvent* event) {
    if (event->added()) Guard(event->child());
    QWebEngineView::childEvent(event);
}

bool CNAVO_TaxExplorerView::eventFilter(QObject* watched, QEvent* event) {
    // Right-button presses and double clicks and context-menu requests stop here; a release
    // passes on.
    if (IsRightButtonPress(event) || event->type() == QEvent::ContextMenu) return true;
    // Should a drag reach the engine's widget all the same, it goes no further.
    if (IsDragEvent(event)) {
        event->ignore();
        return true;
    }
    if (HandleZoomEvent(event)) return true;
    return QWebEngineView::eventFilter(watched, event);
}

bool CNAVO_TaxExplorerView::HandleZoomEvent(QEvent* event) {
    if (!m_zoomStore) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            const std::optional<ZoomChange> change =
                ZoomChangeOfKey(*static_cast<QKeyEvent*>(event));
            if (!change) return false;
            // The override claims the key for the view, before any window shortcut.
            event->accept();
            if (event->type() == QEvent::KeyPress) {
                SetZoomPercent(ChangedZoom(m_zoomPercent, *change));
            }
            return true;
        }
        case QEvent::Wheel: {
            const auto* wheel = static_cast<QWheelEvent*>(event);
            if (!(wheel->modifiers() & Qt::ControlModifier)) return false;
            // With Ctrl the wheel zooms and never scrolls.
            if (const int steps = m_zoomWheel.Turn(*wheel)) {
                SetZoomPercent(SteppedZoom(m_zoomPercent, steps));
            }
            return true;
        }
        default:
            return false;
    }
}

void CNAVO_TaxExplorerView::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void CNAVO_TaxExplorerView::dragMoveEvent(QDragMoveEvent* event) {
    event->ignore();
}

void CNAVO_TaxExplorerView::dragLeaveEvent(QDragLeaveEvent* event) {
    event->ignore();
}

void CNAVO_TaxExplorerView::dropEvent(QDropEvent* event) {
    event->ignore();
}

}  // namespace ledgra
