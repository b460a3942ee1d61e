#include "app/NavoTaxExplorerView.h"

#include <QChildEvent>
#include <QContextMenuEvent>
#include <QMouseEvent>

#include "app/AttachmentWindows.h"
#include "app/PageProfile.h"
#include "app/PageScheme.h"

namespace ledgra {
namespace {

bool IsRightButtonPress(QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick) {
        return false;
    }
    return static_cast<QMouseEvent*>(event)->button() == Qt::RightButton;
}

}  // namespace

CNAVO_TaxExplorerView::CNAVO_TaxExplorerView(PageProfile& profile, QWidget* parent)
    : QWebEngineView(parent), m_profile(profile), m_page(new LockedPage(profile, this)) {
    setPage(m_page);
    setContextMenuPolicy(Qt::PreventContextMenu);
    m_page->SetWindowFactory([this] { return OpenAttachmentWindow(m_profile, this); });
    // The engine draws into a child widget, which is where the mouse events arrive.
    for (QObject* child : children()) {
        if (child->isWidgetType()) child->installEventFilter(this);
    }
}

void CNAVO_TaxExplorerView::Navigate2(const std::filesystem::path& htmlFile) {
    m_profile.Scheme().AllowPage(htmlFile);
    m_page->LoadOwn(PageUrl(htmlFile));
}

void CNAVO_TaxExplorerView::childEvent(QChildEvent* event) {
    if (event->added() && event->child()->isWidgetType()) {
        event->child()->installEventFilter(this);
    }
    QWebEngineView::childEvent(event);
}

bool CNAVO_TaxExplorerView::eventFilter(QObject* watched, QEvent* event) {
    // Right-button presses and double clicks and context-menu requests stop here; a release
    // passes on.
    if (IsRightButtonPress(event) || event->type() == QEvent::ContextMenu) return true;
    return QWebEngineView::eventFilter(watched, event);
}

}  // namespace ledgra
