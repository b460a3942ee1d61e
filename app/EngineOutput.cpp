#include "app/EngineOutput.h"

#include <QLoggingCategory>
#include <QtGlobal>

namespace ledgra {
namespace {

constexpr char kFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
// Only fatal messages of the engine's own log.
constexpr char kQuietLogLevel[] = "--log-level=3";

}  // namespace

QByteArray QuietEngineFlags(const QByteArray& userFlags) {
    if (userFlags.contains("--log-level")) return userFlags;
    const QByteArray trimmed = userFlags.trimmed();
    return trimmed.isEmpty() ? QByteArray(kQuietLogLevel) : trimmed + ' ' + kQuietLogLevel;
}

void QuietEngineOutput() {
    // The engine's context dump is its info category; the sandbox notice is an info message
    // without a category, and the viewer itself writes none.
    QLoggingCategory::setFilterRules(
        QStringLiteral("qt.webenginecontext.info=false\ndefault.info=false"));
    qputenv(kFlagsVariable, QuietEngineFlags(qgetenv(kFlagsVariable)));
}

}  // namespace ledgra
