#pragma once
// The Qt boundary: code page 949 byte strings to and from QString.

#include <QString>

#include <string>
#include <string_view>

#include "text/Cp949.h"

namespace ledgra {

inline QString QStringFromCp949(std::string_view cp949) {
    return QString::fromStdString(Utf8FromCp949(cp949));
}

inline std::string Cp949FromQString(const QString& text) {
    return Cp949FromUtf8(text.toStdString());
}

}  // namespace ledgra
