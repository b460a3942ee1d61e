#include "app/FrameServices.h"

#include "app/PrintDialogs.h"
#include "base/Folders.h"
#include "base/QtFolders.h"
#include "settings/QSettingsProfile.h"

namespace ledgra {

FrameServices ProgramFrameServices(std::shared_ptr<MessagePresenter> presenter) {
    FrameServices services;
    services.documentsFolder = DocumentsFolder();
    services.profile = std::make_unique<QSettingsProfile>();
    services.verifierFactory = OpenSslVerifierFactory(TrustFolder(services.documentsFolder));
    services.presenter = std::move(presenter);
    services.previewPage = PreviewInDialog;
    services.choosePrinter = ChoosePrinterInDialog;
    services.choosePdfFile = ChoosePdfFileInDialog;
    return services;
}

}  // namespace ledgra
