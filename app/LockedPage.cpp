#include "app/LockedPage.h"

#include "app/PageProfile.h"
#include "app/PageScheme.h"

namespace ledgra {

LockedPage::LockedPage(PageProfile& profile, QObject* parent)
    : QWebEnginePage(profile.Profile(), parent), m_profile(profile) {
    // Camera, microphone, location, notifications and the like: never.
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
}

void LockedPage::LoadOwn(const std::filesystem::path& htmlFile) {
    m_profile.Scheme().AllowPage(htmlFile);
    m_ownUrl = PageUrl(htmlFile, NextPageLoad());
    m_acceptServed = nullptr;
    load(m_ownUrl);
}

void LockedPage::LoadNotice(const QString& html) {
    m_ownUrl = QUrl(u"data:text/html;charset=UTF-8;base64,"_qs +
                    QString::fromLatin1(html.toUtf8().toBase64()));
    m_acceptServed = nullptr;
    load(m_ownUrl);
}

bool LockedPage::IsOwnAddress(const QUrl& url) const {
    return !m_ownUrl.isEmpty() &&
           url.adjusted(QUrl::RemoveFragment) == m_ownUrl.adjusted(QUrl::RemoveFragment);
}

bool LockedPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) {
    if (!isMainFrame) {
        return url.scheme() == QLatin1String("about") || m_profile.Scheme().Serves(url);
    }
    if (m_acceptServed) {
        // A closed window is only hidden: a link to the file it already holds shows it again.
        const bool accepted =
            IsOwnAddress(url) || (m_profile.Scheme().Serves(url) && m_acceptServed(url));
        if (accepted) m_ownUrl = url;
        emit OpenedAddressDecided(accepted);
        return accepted;
    }
    return IsOwnAddress(url);
}

QWebEnginePage* LockedPage::createWindow(WebWindowType) {
    return m_windowFactory ? m_windowFactory() : nullptr;
}

}  // namespace ledgra
