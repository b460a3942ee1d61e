#include "tests/app/AppTestSupport.h"

#include <QFile>
#include <QPrinter>
#include <QWebEngineView>

#include "app/PageScheme.h"
#include "settings/Profile.h"
#include "tests/widgets/QtTestApplication.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra::testing {
namespace {

// The page scheme is registered before the application object, as the program does.
[[maybe_unused]] ::testing::Environment* const kQtApplication =
    AddQtTestApplication(RegisterPageScheme);

}  // namespace

QString ToQString(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QStringList RecordingPresenter::Texts() const {
    QStringList texts;
    for (const RecordedMessage& message : m_messages) texts.append(message.text);
    return texts;
}

AppTest::AppTest() : m_savedHome(qgetenv("HOME")), m_savedConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    m_folder.CreateFiles({"home/Documents/"});
    qputenv("HOME", QFile::encodeName(ToQString(Home())));
    qunsetenv("XDG_CONFIG_HOME");
}

AppTest::~AppTest() {
    qputenv("HOME", m_savedHome);
    if (m_savedConfigHome.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", m_savedConfigHome);
    }
}

FrameServices AppTest::MakeServices() {
    FrameServices services;
    services.documentsFolder = Documents();
    services.profile = std::make_unique<MemoryProfile>();
    services.verifierFactory = []() -> std::unique_ptr<ISignedDataVerifier> {
        throw VerificationModuleError("no verification module in this test");
    };
    services.presenter = m_presenter;
    services.previewPage = [log = m_printLog](QWebEngineView& view, QPrinter&, PrintGuard::Scope&) {
        log->previewedTitles.append(view.title());
    };
    services.choosePrinter = [log = m_printLog](QPrinter& printer, QWidget*) {
        ++log->printerChoices;
        if (log->printToFile.empty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(ToQString(log->printToFile));
        return true;
    };
    services.choosePdfFile = [log = m_printLog](QWidget*, const std::filesystem::path& proposed) {
        log->proposedPdfFiles.push_back(proposed);
        return log->chosenPdfFile;
    };
    return services;
}

}  // namespace ledgra::testing
