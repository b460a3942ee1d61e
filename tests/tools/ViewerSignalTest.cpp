// A running viewer ended by SIGTERM (a logout, `kill`) or SIGINT (Ctrl+C) ends cleanly and
// takes its instance lock with it.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QProcess>

#include <chrono>
#include <csignal>
#include <thread>

#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

TEST(ViewerSignal, EndsTheViewerCleanlyAndRemovesItsLock) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        testing::TempFolder folder;
        const std::filesystem::path runtime = folder.Path() / "run";
        std::filesystem::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_qs, QString::fromStdString(folder.Path().native()));
        environment.insert(u"XDG_CONFIG_HOME"_qs, QString::fromStdString(folder.Path().native()));
        environment.insert(u"XDG_RUNTIME_DIR"_qs, QString::fromStdString(runtime.native()));
        environment.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        environment.insert(u"QTWEBENGINE_DISABLE_SANDBOX"_qs, u"1"_qs);
        QProcess viewer;
        viewer.setProcessEnvironment(environment);
        viewer.start(QStringLiteral(LEDGRA_BINARY_DIR "/app/ledgra-viewer"), {});
        ASSERT_TRUE(viewer.waitForStarted());

        const std::filesystem::path lock =
            runtime / ("Ledgra Viewer 1.0-" + std::to_string(::getuid()) + ".lock");
        for (int wait = 0; wait < 1200 && !std::filesystem::exists(lock); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ASSERT_TRUE(std::filesystem::exists(lock));
        // Most often into the running window, sometimes still into its start.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::kill(static_cast<pid_t>(viewer.processId()), signal);

        ASSERT_TRUE(viewer.waitForFinished(60000));
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(viewer.exitCode(), 0) << viewer.readAllStandardError().toStdString();
        EXPECT_FALSE(std::filesystem::exists(lock));
    }
}

}  // namespace
}  // namespace ledgra
