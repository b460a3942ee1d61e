#include "app/DocumentDrop.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <system_error>

#include "filetree/TreeFileCtrl.h"

namespace ledgra {
namespace {

// The path of a file address on this machine as the bytes the address carries, so that a
// name that is not UTF-8 arrives whole; none for any other address.
std::optional<std::string> LocalPath(const QUrl& url) {
    if (!url.isLocalFile()) return std::nullopt;
    const QString host = url.host();
    if (!host.isEmpty() && host != QLatin1String("localhost")) return std::nullopt;
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (path.isEmpty() || path.contains('\0')) return std::nullopt;
    return path.toStdString();
}

bool IsDocumentFile(const std::string& path) {
    if (!CTreeFileCtrl::IsDocumentFileName(QFile::decodeName(QByteArray::fromStdString(path)))) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::optional<std::string> DroppedDocumentPath(const QMimeData& data) {
    if (!data.hasUrls()) return std::nullopt;
    for (const QUrl& url : data.urls()) {
        const std::optional<std::string> path = LocalPath(url);
        if (path && IsDocumentFile(*path)) return path;
    }
    return std::nullopt;
}

}  // namespace ledgra
