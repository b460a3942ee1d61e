#include "app/AttachmentWindows.h"

#include <QDesktopServices>
#include <QFile>

#include "app/AttachmentKinds.h"
#include "app/LockedPage.h"
#include "app/NavoTaxExplorerView.h"
#include "app/PageScheme.h"

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

}  // namespace

LockedPage* OpenAttachmentWindow(PageProfile& profile, QWidget* owner) {
    auto* window = new CNAVO_TaxExplorerView(profile, owner->window());
    window->setWindowFlag(Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(600, 400);
    LockedPage& page = window->Page();
    page.AcceptServedAddresses(ShowsInTheWindow);
    QObject::connect(&page, &LockedPage::OpenedAddressDecided, window, [window](bool accepted) {
        if (accepted) window->show();
    });
    QObject::connect(&page, &QWebEnginePage::geometryChangeRequested, window,
                     [window](const QRect& geometry) { window->setGeometry(geometry); });
    QObject::connect(&page, &QWebEnginePage::titleChanged, window, &QWidget::setWindowTitle);
    QObject::connect(&page, &QWebEnginePage::windowCloseRequested, window, &QWidget::close);
    return &page;
}

}  // namespace ledgra
