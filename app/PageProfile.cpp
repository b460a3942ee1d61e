#include "app/PageProfile.h"

#include <QWebEngineSettings>

#include "app/PageScheme.h"
#include "app/PdfExport.h"

namespace ledgra {
namespace {

void LockDown(QWebEngineSettings& settings) {
    // The attachment links of contracts are javascript: links, so scripts stay on.
    settings.setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings.setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings.setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings.setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings.setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings.setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings.setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings.setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
    settings.setAttribute(QWebEngineSettings::WebGLEnabled, false);
    settings.setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings.setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    settings.setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings.setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    settings.setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    settings.setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings.setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
}

}  // namespace

void PageRequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    // The remote stamp image a page names is not fetched either: nobody learns that a document
    // was opened.
    if (info.requestUrl().scheme() == QLatin1String(kPageScheme)) return;
    // The viewer's own notices come as data in the address; the page accepts no other.
    if (info.requestUrl().scheme() == QLatin1String("data") &&
        info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame) {
        return;
    }
    info.block(true);
}

PageProfile::PageProfile(std::filesystem::path logFolder)
    : m_scheme(std::make_unique<PageSchemeHandler>(std::move(logFolder))),
      m_guard(std::make_unique<PageRequestGuard>()),
      m_profile(std::make_unique<QWebEngineProfile>()) {
    m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    m_profile->installUrlSchemeHandler(kPageScheme, m_scheme.get());
    m_profile->setUrlRequestInterceptor(m_guard.get());
    LockDown(*m_profile->settings());
    AddPrintLayout(*m_profile);
    // A page cannot make the engine save anything: downloads are left unaccepted (cancelled).
}

PageProfile::~PageProfile() {
    m_profile->setUrlRequestInterceptor(nullptr);
    m_profile->removeAllUrlSchemeHandlers();
}

}  // namespace ledgra
