#include "tests/app/AppTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QStandardPaths>
#include <QWebEngineView>

#include "app/PageScheme.h"
#include "settings/Profile.h"
#include "verify/SignedDataVerifier.h"

namespace ledgra::testing {
namespace {

// One application object for the whole program, on the offscreen platform, with the page
// scheme registered before it as the program does.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        }
        QStandardPaths::setTestModeEnabled(true);
        RegisterPageScheme();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "test_app";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

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
    services.previewPage = [log = m_printLog](QWebEngineView& view, QPrinter&,
                                                    PrintGuard::Scope&) {
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
