#include "app/ShownFileName.h"

#include <QByteArray>
#include <QStringDecoder>

#include "text/QtCp949.h"

namespace ledgra {

QString ShownFileName(const std::filesystem::path& file) {
    const std::string name = file.filename().native();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(QByteArray::fromStdString(name));
    return utf8.hasError() ? QStringFromCp949(name) : decoded;
}

}  // namespace ledgra
