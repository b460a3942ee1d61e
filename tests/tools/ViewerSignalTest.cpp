// A running viewer ended by SIGTERM (a logout, `kill`) or SIGINT (Ctrl+C) ends cleanly and
// takes its instance lock with it.

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/TempFolder.h"

namespace ledgra {
namespace {

using testing::TempFolder;

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.native());
}

// Waits until the path exists, at most a minute.
bool WaitForFile(const std::filesystem::path& path) {
    for (int i = 0; i < 1200; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(ViewerSignal, EndsTheViewerCleanlyAndRemovesItsLock) {
    for (const int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        TempFolder folder;
        const std::filesystem::path runtime = folder.Path() / "run";
        std::filesystem::create_directories(runtime);
        ::chmod(runtime.c_str(), 0700);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), ToQString(folder.Path() / "home"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), ToQString(folder.Path() / "config"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), ToQString(runtime));
        environment.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        QProcess viewer;
        viewer.setProcessEnvironment(environment);
        viewer.start(QStringLiteral(LEDGRA_BINARY_DIR "/app/ledgra-viewer"), {});
        ASSERT_TRUE(viewer.waitForStarted());

        const std::filesystem::path lock =
            runtime / ("Ledgra Viewer 1.0-" + std::to_string(::getuid()) + ".lock");
        ASSERT_TRUE(WaitForFile(lock));
        // Most often into the running window, sometimes still into its start.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::kill(static_cast<pid_t>(viewer.processId()), signal);

        ASSERT_TRUE(viewer.waitForFinished(60000)) << "the viewer did not end";
        EXPECT_EQ(viewer.exitStatus(), QProcess::NormalExit)
            << viewer.readAllStandardError().toStdString();
        EXPECT_EQ(viewer.exitCode(), 0);
        EXPECT_FALSE(std::filesystem::exists(lock));
    }
}

}  // namespace
}  // namespace ledgra
