#include "app/PageScheme.h"

#include <QFile>
#include <QWebEngineUrlScheme>

namespace ledgra {

void RegisterPageScheme() {
    QWebEngineUrlScheme scheme(kPageScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Not a local scheme: the engine then refuses a page every file: address, to show as well
    // as to read. Granting a page local access would let its scripts read any file.
    scheme.setFlags({});
    QWebEngineUrlScheme::registerScheme(scheme);
}

QUrl PageUrl(const std::filesystem::path& file) {
    QUrl url;
    url.setScheme(QString::fromLatin1(kPageScheme));
    url.setPath(QFile::decodeName(QByteArray::fromStdString(file.native())), QUrl::DecodedMode);
    return url;
}

std::filesystem::path PagePathOfUrl(const QUrl& url) {
    if (url.scheme() != QLatin1String(kPageScheme)) return {};
    return QFile::encodeName(url.path(QUrl::FullyDecoded)).toStdString();
}

}  // namespace ledgra
