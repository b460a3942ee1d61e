#include "app/ViewerProcess.h"

#include <QApplication>
#include <QCoreApplication>

#include <csignal>

#include "app/EngineOutput.h"
#include "app/PageScheme.h"
#include "app/QtTranslations.h"
#include "base/ProgramNames.h"

namespace ledgra {

void PrepareViewerProcess() {
    std::signal(SIGXFSZ, SIG_IGN);
    QuietEngineOutput();
    RegisterPageScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void SetUpViewerApplication(QApplication& application) {
    InstallKoreanQtTranslations(application);
    QCoreApplication::setApplicationName(QString::fromLatin1(kProfileApplication));
    QCoreApplication::setOrganizationName(QString::fromLatin1(kProfileOrganisation));
}

}  // namespace ledgra
