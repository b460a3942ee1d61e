// The viewer's entry point.

#include <QApplication>

#include <memory>
#include <string>
#include <vector>

#include "app/MessagePresenter.h"
#include "app/NavoTaxExplorerApp.h"
#include "app/TerminationSignals.h"
#include "app/ViewerProcess.h"

int main(int argc, char* argv[]) {
    ledgra::PrepareViewerProcess();
    QApplication application(argc, argv);
    ledgra::SetUpViewerApplication(application);

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
