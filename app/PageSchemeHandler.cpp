#include "app/PageSchemeHandler.h"

#include <QBuffer>
#include <QFile>
#include <QMimeDatabase>
#include <QStringDecoder>
#include <QWebEngineUrlRequestJob>

#include <optional>
#include <system_error>

#include "app/AttachmentKinds.h"
#include "app/PageScheme.h"
#include "base/FileAccess.h"
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

// The whole file, or nothing when it is no regular file or is too large to serve. By its
// native name: a name that is no UTF-8 would not survive a QString.
std::optional<QByteArray> ReadServedFile(const std::filesystem::path& path) {
    std::optional<std::string> bytes =
        ReadRegularFile(path, static_cast<std::size_t>(kMaxServedBytes));
    if (!bytes) return std::nullopt;
    return QByteArray::fromStdString(*bytes);
}

// Text as UTF-8 with a byte-order mark, which outranks any charset a page names: text that is
// valid UTF-8 stays as it is, any other is read as code page 949, as the viewer's own pages.
QByteArray ServedText(const QByteArray& bytes) {
    static const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
    if (bytes.startsWith(kByteOrderMark)) return bytes;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    if (!utf8.hasError()) return kByteOrderMark + decoded.toUtf8();
    const std::string text =
        Utf8FromCp949(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return kByteOrderMark + QByteArray::fromStdString(text);
}

}  // namespace

PageSchemeHandler::PageSchemeHandler(std::filesystem::path logFolder, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), m_logFolder(std::move(logFolder)) {}

void PageSchemeHandler::AllowPage(const std::filesystem::path& file) {
    m_pages.insert(file);
}

bool PageSchemeHandler::Serves(const QUrl& url) const {
    return !ServedFile(url).empty();
}

std::filesystem::path PageSchemeHandler::ServedFile(const QUrl& url) const {
    const std::filesystem::path canonical = Canonical(PagePathOfUrl(url));
    if (!canonical.empty() && (IsAllowedPage(canonical) || IsInLogFolder(canonical))) {
        return canonical;
    }
    // A seal image named by the log folder's path as it is, which need not read as an address.
    const std::filesystem::path named = Canonical(LogFolderFileOfUrl(url, m_logFolder));
    return !named.empty() && IsInLogFolder(named) ? named : std::filesystem::path();
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
    const std::filesystem::path canonical = ServedFile(job->requestUrl());
    if (canonical.empty()) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const bool page = IsAllowedPage(canonical);
    std::optional<QByteArray> bytes = ReadServedFile(canonical);
    if (!bytes) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }

    QByteArray mimeType;
    const AttachmentKind kind = AttachmentKindOf(canonical);
    if (page) {
        // Decoded here, so the engine's own euc-kr decoder (which lacks part of code page 949)
        // never sees the page.
        const std::string utf8 = Utf8FromCp949(
            std::string_view(bytes->constData(), static_cast<std::size_t>(bytes->size())));
        *bytes = QByteArrayLiteral("\xEF\xBB\xBF") + QByteArray::fromStdString(utf8);
        mimeType = QByteArrayLiteral("text/html;charset=utf-8");
    } else if (kind == AttachmentKind::Text || kind == AttachmentKind::Page) {
        *bytes = ServedText(*bytes);
        mimeType = kind == AttachmentKind::Page ? QByteArrayLiteral("text/html;charset=utf-8")
                                                : QByteArrayLiteral("text/plain;charset=utf-8");
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
