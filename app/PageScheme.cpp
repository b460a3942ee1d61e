#include "app/PageScheme.h"

#include <QWebEngineUrlScheme>

#include <atomic>
#include <system_error>

#include "render/LogFolderText.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

// Text of an address with its escapes undone, and a backslash taken as "/" as the engine takes
// it in a path.
QByteArray DecodedAddressText(const QByteArray& text) {
    QByteArray decoded = QByteArray::fromPercentEncoding(text);
    decoded.replace('\\', '/');
    return decoded;
}

}  // namespace

void RegisterPageScheme() {
    QWebEngineUrlScheme scheme(kPageScheme);
    // The host names the load; the engine's memory of images and its origins go by it.
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Not a local scheme: the engine then refuses a page every file: address, to show as well
    // as to read. Granting a page local access would let its scripts read any file.
    scheme.setFlags({});
    QWebEngineUrlScheme::registerScheme(scheme);
}

std::uint64_t NextPageLoad() {
    static std::atomic<std::uint64_t> loads{0};
    return ++loads;
}

QUrl PageUrl(const std::filesystem::path& file, std::uint64_t load) {
    // A stored html file may be named relative to the current folder.
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ignored);
    QUrl url;
    url.setScheme(QString::fromLatin1(kPageScheme));
    url.setHost(QStringLiteral("load-%1").arg(load));
    // Percent-encoded bytes: a file name that is no valid UTF-8 survives the round trip.
    const QByteArray encoded = QByteArray::fromStdString(absolute.native()).toPercentEncoding("/");
    url.setPath(QString::fromLatin1(encoded), QUrl::TolerantMode);
    return url;
}

std::filesystem::path PagePathOfUrl(const QUrl& url) {
    if (url.scheme() != QLatin1String(kPageScheme)) return {};
    // Decoded as bytes, not as UTF-8: the file's native name comes back unchanged.
    return QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
}

std::filesystem::path LogFolderFileOfUrl(const QUrl& url, const std::filesystem::path& logFolder) {
    if (url.scheme() != QLatin1String(kPageScheme)) return {};
    // Path, query and fragment together are the text the page named.
    const QByteArray named =
        DecodedAddressText(url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority));
    // The page is code page 949 text, served to the engine as UTF-8.
    const QByteArray folder = DecodedAddressText(
        QByteArray::fromStdString(Utf8FromCp949(LogFolderPageText(logFolder, {}))));
    if (folder.isEmpty() || !named.startsWith(folder)) return {};
    const QByteArray name = named.sliced(folder.size());
    if (name.isEmpty() || name.contains('/')) return {};
    return logFolder / name.toStdString();
}

}  // namespace ledgra
