#pragma once
// What the browser engine prints on the terminal. In normal use it says nothing below a
// warning: no start-up dump of its graphics set-up, no sandbox notice, no log lines of its
// own. QT_LOGGING_RULES (for example "qt.webenginecontext.info=true") and a --log-level in
// QTWEBENGINE_CHROMIUM_FLAGS still turn them on.

#include <QByteArray>

namespace ledgra {

// The engine's own flags with its log quietened, unless the user chose a log level.
QByteArray QuietEngineFlags(const QByteArray& userFlags);

// Sets the rules and the engine's flags; before the application object exists.
void QuietEngineOutput();

}  // namespace ledgra
