// The viewer's entry point.

#include <QApplication>
#include <QCoreApplication>

#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include "app/EngineOutput.h"
#include "app/MessagePresenter.h"
#include "app/NavoTaxExplorerApp.h"
#include "app/PageScheme.h"
#include "app/QtTranslations.h"
#include "base/ProgramNames.h"
#include "app/TerminationSignals.h"
#include "settings/QSettingsProfile.h"

int main(int argc, char* argv[]) {
    // A write past the user's file size limit fails and is reported like a full disk, rather
    // than end the viewer.
    std::signal(SIGXFSZ, SIG_IGN);
    ledgra::QuietEngineOutput();
    // The page scheme must be known to the browser engine before the application exists.
    ledgra::RegisterPageScheme();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    ledgra::InstallKoreanQtTranslations(application);
    QCoreApplication::setApplicationName(QString::fromLatin1(ledgra::kProfileApplication));
    QCoreApplication::setOrganizationName(QString::fromLatin1(ledgra::kProfileOrganisation));

    // The arguments as the system gave them (bytes, so that every file name survives), less
    // the ones Qt took for itself.
    std::vector<std::string> arguments(argv + 1, argv + argc);

    ledgra::CNAVO_TaxExplorerApp viewer(std::make_shared<ledgra::BoxMessagePresenter>());
    const ledgra::TerminationSignals terminationSignals;
    switch (viewer.InitInstance(arguments)) {
        case ledgra::CNAVO_TaxExplorerApp::StartOutcome::Run:
            return terminationSignals.Received() ? 0 : application.exec();
        case ledgra::CNAVO_TaxExplorerApp::StartOutcome::HandedOff:
            return 0;
        case ledgra::CNAVO_TaxExplorerApp::StartOutcome::Failed:
            return 1;
    }
    return 1;
}
