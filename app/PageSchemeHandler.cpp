#include "app/PageSchemeHandler.h"

#include <QBuffer>
#include <QFile>
#include <QMimeDatabase>
#include <QWebEngineUrlRequestJob>

#include <fstream>
#include <optional>
#include <system_error>

#include "app/PageScheme.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// The real location of a file, every link and "." or ".." resolved; empty when it does not
// exist.
std::filesystem::path Canonical(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path() : canonical;
}

// The whole file, or nothing when it is no regular file or is too large to serve.
std::optional<QByteArray> ReadServedFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxServedBytes) return std::nullopt;
    // By its native name: a name that is no UTF-8 would not survive a QString.
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    file.read(bytes.data(), bytes.size());
    bytes.resize(file.gcount());
    return bytes;
}

}  // namespace

PageSchemeHandler::PageSchemeHandler(std::filesystem::path logFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_logFolder(std::move(logFolder)) {}

void PageSchemeHandler::AllowPage(const std::filesystem::path& file) {
    m_pages.insert(file);
}

bool PageSchemeHandler::Serves(const QUrl& url) const {
    const std::filesystem::path canonical = Canonical(PagePathOfUrl(url));
    return !canonical.empty() && (IsAllowedPage(canonical) || IsInLogFolder(canonical));
}

bool PageSchemeHandler::IsAllowedPage(const std::filesystem::path& canonical) const {
    for (const std::filesystem::path& page : m_pages) {
        if (Canonical(page) == canonical) return true;
    }
    return false;
}

bool PageSchemeHandler::IsInLogFolder(const std::filesystem::path& canonical) const {
    const std::filesystem::path folder = Canonical(m_logFolder);
    return !folder.empty() && canonical.parent_path() == folder;
}

void PageSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    if (job->requestMethod() != QByteArrayLiteral("GET")) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const std::filesystem::path canonical = Canonical(PagePathOfUrl(job->requestUrl()));
    if (canonical.empty()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const bool page = IsAllowedPage(canonical);
    if (!page && !IsInLogFolder(canonical)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    std::optional<QByteArray> bytes = ReadServedFile(canonical);
    if (!bytes) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }

    QByteArray mimeType;
    if (page) {
        // Decoded here, so the engine's own euc-kr decoder (which lacks part of code page 949)
        // never sees the page; the byte-order mark outranks the page's own charset label.
        const std::string utf8 = Utf8FromCp949(
            std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
        *bytes = QByteArrayLiteral("\xEF\xBB\xBF") + QByteArray::fromStdString(utf8);
        mimeType = QByteArrayLiteral("text/html;charset=utf-8");
    } else {
        const QString name = QFile::decodeName(QByteArray::fromStdString(canonical.native()));
        mimeType =
            QMimeDatabase().mimeTypeForFile(name, QMimeDatabase::MatchExtension).name().toUtf8();
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(*bytes);
    job->reply(mimeType, buffer);
}

}  // namespace ledgra
