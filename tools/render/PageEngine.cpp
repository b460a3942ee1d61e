#include "tools/render/PageEngine.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include "app/PageScheme.h"

namespace ledgra {

std::unique_ptr<QGuiApplication> StartPageEngine(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The page scheme must be known to the engine before the application exists.
    RegisterPageScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The engine's start-up report is not ours to print.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext.info=false"));
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace ledgra
