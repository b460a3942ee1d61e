#include <QCoreApplication>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "app/MainFrame.h"
#include "app/NavoTaxExplorerApp.h"
#include "app/SingleInstance.h"
#include "filetree/LeftView.h"
#include "tests/app/AppTestSupport.h"

namespace ledgra {
namespace {

using testing::ToQString;

class AppStartTest : public testing::AppTest {
protected:
    // A lock folder and a channel of this test's own, away from a viewer the user may run.
    InstanceChannel Channel() const {
        static int counter = 0;
        return {ToQString(m_folder.Path()),
                HandOffChannelName() + QStringLiteral("-start-test-%1-%2")
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(++counter)};
    }
};

TEST_F(AppStartTest, ASecondStartHandsItsDocumentToTheRunningWindowAndEnds) {
    m_folder.CreateFiles({"home/Documents/ZOVA/Taxfiles/"});
    const std::filesystem::path document = Documents() / "ZOVA/Taxfiles/invoice.xml";
    std::filesystem::copy_file(
        std::filesystem::path(LEDGRA_SOURCE_DIR) / "samples/sources/standard-invoice.xml",
        document);
    const InstanceChannel channel = Channel();

    CNAVO_TaxExplorerApp first(m_presenter, channel);
    ASSERT_EQ(first.InitInstance({}), CNAVO_TaxExplorerApp::StartOutcome::Run);
    CMainFrame& frame = *first.MainWindow();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Ledgra Viewer 1.0"));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(first.m_strStartPath.empty());

    // The later start blocks until the running instance has shown the document, so it runs on
    // a thread of its own while this one runs the window.
    auto secondPresenter = std::make_shared<testing::RecordingPresenter>();
    CNAVO_TaxExplorerApp second(secondPresenter, channel);
    std::optional<CNAVO_TaxExplorerApp::StartOutcome> outcome;
    QEventLoop loop;
    std::thread start([&] {
        // Doubled separators are collapsed on the way.
        outcome =
            second.InitInstance({"^" + Documents().native() + "//ZOVA//Taxfiles/invoice.xml"});
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(std::chrono::seconds(30), &loop, &QEventLoop::quit);
    loop.exec();
    start.join();

    EXPECT_EQ(outcome, CNAVO_TaxExplorerApp::StartOutcome::HandedOff);
    ASSERT_EQ(secondPresenter->m_messages.size(), 1u);
    EXPECT_EQ(secondPresenter->m_messages[0].text, u"프로그램이 이미 실행중입니다."_qs);
    EXPECT_TRUE(secondPresenter->m_messages[0].caption.isEmpty());  // the application's name
    EXPECT_EQ(secondPresenter->m_messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(second.MainWindow(), nullptr);

    CMyTreeFileCtrl& tree = frame.LeftView().Tree();
    EXPECT_EQ(tree.GetItemPath(tree.currentItem()), ToQString(document));
    EXPECT_EQ(frame.State().m_strDocPath, document);
    EXPECT_EQ(frame.State().m_bDocumentShown, 1);
    EXPECT_EQ(frame.StatusText(), u"전자서명이 없는 문서입니다."_qs);
    EXPECT_TRUE(m_presenter->m_messages.empty());
}

TEST_F(AppStartTest, ASettingsFileThatIsNoRegularFileIsIgnoredWithAMessage) {
    const std::filesystem::path settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
        "/Local AppWizard-Generated Applications/ZOVA Viewer.conf";
    std::filesystem::create_directories(settings.parent_path());
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);  // would block the start in open()
    CNAVO_TaxExplorerApp app(m_presenter, Channel());
    EXPECT_EQ(app.InitInstance({}), CNAVO_TaxExplorerApp::StartOutcome::Run);
    EXPECT_EQ(m_presenter->Texts(),
              QStringList{u"설정 파일을 읽지 않았습니다: "_qs + ToQString(settings) +
                          u": 일반 파일이 아닙니다"_qs});
}

TEST_F(AppStartTest, AStartDocumentThatCannotBeOpenedEndsTheStartWithAMessage) {
    const std::string missing = (Documents() / "missing.ktx").native();
    CNAVO_TaxExplorerApp app(m_presenter, Channel());
    EXPECT_EQ(app.InitInstance({missing}), CNAVO_TaxExplorerApp::StartOutcome::Failed);
    EXPECT_EQ(app.MainWindow(), nullptr);
    ASSERT_EQ(m_presenter->m_messages.size(), 1u);
    EXPECT_TRUE(m_presenter->m_messages[0].text.contains(QString::fromStdString(missing)));
    EXPECT_EQ(m_presenter->m_messages[0].icon, MessageIcon::Exclamation);
}

}  // namespace
}  // namespace ledgra
