#pragma once
// File names are bytes on Linux, and not every name is UTF-8: a name copied from an old disk or
// archive may be code page 949. The tree keeps every path as a QString that maps back to the
// exact bytes (a byte that is not part of valid UTF-8 is carried as the lone low surrogate
// U+DC80 + (byte - 0x80)), and shows such a name decoded as code page 949 where that works.

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace ledgra {

// The tree's form of a native path or name; valid UTF-8 decodes as usual.
QString PathFromNative(const QByteArray& native);
// The exact bytes of a path made by PathFromNative (and the UTF-8 of any ordinary text).
QByteArray NativeFromPath(const QString& path);
// What the user sees for a name or a path: each part between slashes itself when it was valid
// UTF-8, else its code page 949 reading, else its UTF-8 reading with replacement marks.
QString DisplayName(const QString& name);
// The same for a path in native bytes: the window title, a proposed file name, a message.
QString DisplayPath(const std::filesystem::path& path);

}  // namespace ledgra
