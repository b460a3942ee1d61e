#pragma once
// Serves the addresses of the page scheme: the pages the viewer itself shows, decoded from
// code page 949, and the files of the log folder as they are. Every other address fails.

#include <QWebEngineUrlSchemeHandler>

#include <cstdint>
#include <filesystem>
#include <set>

namespace ledgra {

// Files larger than this are not served.
inline constexpr std::uintmax_t kMaxServedBytes = std::uintmax_t{256} << 20;

class PageSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    explicit PageSchemeHandler(std::filesystem::path logFolder, QObject* parent = nullptr);

    // A page file the viewer shows (the html file may lie outside the log folder).
    void AllowPage(const std::filesystem::path& file);
    // Whether the address names an allowed page or a file of the log folder.
    bool Serves(const QUrl& url) const;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

private:
    // The real location of the allowed page or log folder file the address names; empty for
    // any other address.
    std::filesystem::path ServedFile(const QUrl& url) const;
    bool IsAllowedPage(const std::filesystem::path& canonical) const;
    bool IsInLogFolder(const std::filesystem::path& canonical) const;

    std::filesystem::path m_logFolder;
    std::set<std::filesystem::path> m_pages;
};

}  // namespace ledgra
