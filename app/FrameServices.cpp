#include "app/FrameServices.h"

#include "app/PrintDialogs.h"
#include "base/Folders.h"
#include "base/UserFolders.h"
#include "settings/QSettingsProfile.h"
#include "text/QtCp949.h"

namespace ledgra {

FrameServices ProgramFrameServices(std::shared_ptr<MessagePresenter> presenter) {
    FrameServices services;
    services.documentsFolder = DocumentsFolder();
    auto profile = std::make_unique<QSettingsProfile>();
    if (const std::optional<std::string>& ignored = profile->IgnoredFile()) {
        presenter->Present(
            nullptr, QStringLiteral("설정 파일을 읽지 않았습니다: ") + QStringFromCp949(*ignored),
            QString(), MessageIcon::Exclamation);
    }
    services.profile = std::move(profile);
    services.verifierFactory = OpenSslVerifierFactory(TrustFolder(services.documentsFolder));
    services.presenter = std::move(presenter);
    services.previewPage = PreviewInDialog;
    services.choosePrinter = ChoosePrinterInDialog;
    services.choosePdfFile = ChoosePdfFileInDialog;
    return services;
}

}  // namespace ledgra
