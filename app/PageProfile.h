#pragma once
// The browser profile every page of the viewer runs in. Pages come from untrusted documents
// (contract bodies and content pages carry document markup as it is), so a page may run its
// scripts but can reach nothing: no local file, no network, no storage, no plug-in.

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <filesystem>
#include <memory>

#include "app/PageSchemeHandler.h"

class QWebEngineSettings;

namespace ledgra {

// Lets only the page scheme's own addresses through: a page reaches no network.
class PageRequestGuard final : public QWebEngineUrlRequestInterceptor {
public:
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

class PageProfile {
public:
    // Serves the log folder's files beside the pages.
    explicit PageProfile(std::filesystem::path logFolder);
    ~PageProfile();
    PageProfile(const PageProfile&) = delete;
    PageProfile& operator=(const PageProfile&) = delete;

    QWebEngineProfile* Profile() const { return m_profile.get(); }
    PageSchemeHandler& Scheme() const { return *m_scheme; }

private:
    std::unique_ptr<PageSchemeHandler> m_scheme;
    std::unique_ptr<PageRequestGuard> m_guard;
    // Off the record: nothing a page does is kept on disk.
    std::unique_ptr<QWebEngineProfile> m_profile;
};

}  // namespace ledgra
