#include "app/AttachmentWindows.h"

#include <QDesktopServices>
#include <QFile>

#include "app/AttachmentKinds.h"
#include "app/LockedPage.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PageScheme.h"
#include "filetree/NativeNames.h"
#include "render/AttachmentNames.h"

namespace ledgra {
namespace {

// Whether the window shows the file itself; a document only the desktop can show is handed
// over.
bool ShowsInTheWindow(const QUrl& url) {
    const std::filesystem::path file = PagePathOfUrl(url);
    switch (AttachmentKindOf(file)) {
        case AttachmentKind::Text:
        case AttachmentKind::Page:
        case AttachmentKind::Image:
            return true;
        case AttachmentKind::Desktop:
            QDesktopServices::openUrl(
                QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(file.native()))));
            return false;
        case AttachmentKind::Refused:
            return false;
    }
    return false;
}

// The attachment's own name: its file in the log folder less the prefix of attachment files.
QString AttachmentTitle(const QUrl& url) {
    std::string name = PagePathOfUrl(url).filename().native();
    if (name.starts_with(kAttachmentPrefix)) name.erase(0, kAttachmentPrefix.size());
    return DisplayPath(name);
}

}  // namespace

LockedPage* OpenAttachmentWindow(PageProfile& profile, QWidget* owner) {
    auto* window = new CNAVO_TaxExplorerView(profile, owner->window());
    window->setWindowFlag(Qt::Window);
    // Closing only hides the window: the page keeps it under its name, and the next link shows
    // it again. A window deleted on close is still known to the engine by that name for a
    // while, and a link clicked meanwhile opened nothing.
    window->resize(600, 400);
    LockedPage& page = window->Page();
    page.AcceptServedAddresses(ShowsInTheWindow);
    QObject::connect(&page, &LockedPage::OpenedAddressDecided, window, [window](bool accepted) {
        if (accepted) window->show();
    });
    QObject::connect(&page, &QWebEnginePage::geometryChangeRequested, window,
                     [window](const QRect& geometry) { window->setGeometry(geometry); });
    QObject::connect(&page, &QWebEnginePage::urlChanged, window,
                     [window](const QUrl& url) { window->setWindowTitle(AttachmentTitle(url)); });
    QObject::connect(&page, &QWebEnginePage::windowCloseRequested, window, &QWidget::close);
    return &page;
}

}  // namespace ledgra
