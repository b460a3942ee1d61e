#pragma once
// The right pane: the page the last verification run produced. It shows the html file and
// nothing else; the right mouse button and dragged files never reach the page (a drop goes to
// the window that holds the view). The same view, in a window of its own, serves printing and
// the attachment windows a contract page opens.

#include <QPointer>
#include <QWebEngineView>

#include <filesystem>
#include <vector>

#include "app/LockedPage.h"
#include "app/PageZoom.h"

namespace ledgra {

class PageProfile;
class Profile;

class CNAVO_TaxExplorerView : public QWebEngineView {
    Q_OBJECT

public:
    CNAVO_TaxExplorerView(PageProfile& profile, QWidget* parent = nullptr);

    // Shows the html file (decoded with the viewer's code page 949 codec).
    void Navigate2(const std::filesystem::path& htmlFile);

    // Shows a page the viewer made in memory in place of a document's page.
    void ShowNotice(const QString& html);

    LockedPage& Page() const { return *m_page; }

    // The page pane zooms with Ctrl+= / Ctrl++ / Ctrl+- / Ctrl+0 and Ctrl+wheel and keeps its
    // zoom in the profile, for this page and the next ones. A view that is not told to stays
    // at 100 %: the windows of printing and of attachments never take the pane's zoom.
    void RememberZoomIn(Profile& profile);
    // The zoom in percent (100 for a view that does not zoom).
    int ZoomPercent() const { return m_zoomPercent; }
    void SetZoomPercent(int percent);

protected:
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Drags stop at the view: the engine's own drop handling is never reached.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The windows of the shown page's attachments go with it.
    void CloseAttachmentWindows();
    // The engine's widgets get no drops and their zoom keys and wheel turns are the view's.
    void Guard(QObject* child);
    bool HandleZoomEvent(QEvent* event);

    PageProfile& m_profile;
    LockedPage* m_page;
    // The attachment windows the shown page opened; they go with the next page.
    std::vector<QPointer<QWidget>> m_attachmentWindows;
    Profile* m_zoomStore = nullptr;
    int m_zoomPercent = kDefaultZoom;
    ZoomWheel m_zoomWheel;
};

}  // namespace ledgra
