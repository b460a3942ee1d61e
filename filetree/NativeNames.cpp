#include "filetree/NativeNames.h"

#include <QStringList>

#include <string_view>

#include "text/QtCp949.h"

namespace ledgra {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + the byte (0x80 to 0xFF)

// Whether text[i] is an escaped byte: a low surrogate of that range that is not the second
// half of a surrogate pair.
bool IsEscapeAt(const QString& text, qsizetype i) {
    const char16_t unit = text[i].unicode();
    if (unit < kEscapeBase + 0x80 || unit > kEscapeBase + 0xFF) return false;
    return i == 0 || !text[i - 1].isHighSurrogate();
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at bytes[i] and its code point; 0 when the bytes
// there are no valid sequence (overlong forms, surrogates and values past U+10FFFF included).
int ValidSequence(const QByteArray& bytes, qsizetype i, char32_t& codePoint) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    int length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k) {
        if (!IsContinuation(at(i + k))) return 0;
        codePoint = (codePoint << 6) | (at(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool HasEscapes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsEscapeAt(text, i)) return true;
    return false;
}

}  // namespace

QString PathFromNative(const QByteArray& native) {
    QString path;
    path.reserve(native.size());
    for (qsizetype i = 0; i < native.size();) {
        char32_t codePoint = 0;
        const int length = ValidSequence(native, i, codePoint);
        if (length == 0) {
            path.append(
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(native[i]))));
            ++i;
            continue;
        }
        path.append(QString::fromUcs4(&codePoint, 1));
        i += length;
    }
    return path;
}

QByteArray NativeFromPath(const QString& path) {
    if (!HasEscapes(path)) return path.toUtf8();
    QByteArray native;
    native.reserve(path.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsEscapeAt(path, i)) continue;
        native.append(QStringView(path).mid(runStart, i - runStart).toUtf8());
        if (i < path.size()) native.append(static_cast<char>(path[i].unicode() - kEscapeBase));
        runStart = i + 1;
    }
    return native;
}

QString DisplayName(const QString& name) {
    if (!HasEscapes(name)) return name;
    // Part by part: a folder of valid UTF-8 above a code page 949 name stays as it is (UTF-8
    // Korean often happens to be valid code page 949 as well, and would read as other words).
    QStringList parts = name.split(QLatin1Char('/'));
    for (QString& part : parts) {
        if (!HasEscapes(part)) continue;
        const QByteArray native = NativeFromPath(part);
        const std::string_view bytes(native.constData(), static_cast<std::size_t>(native.size()));
        part = IsValidCp949(bytes) ? QStringFromCp949(bytes) : QString::fromUtf8(native);
    }
    return parts.join(QLatin1Char('/'));
}

QString DisplayPath(const std::filesystem::path& path) {
    return DisplayName(PathFromNative(QByteArray::fromStdString(path.native())));
}

}  // namespace ledgra
