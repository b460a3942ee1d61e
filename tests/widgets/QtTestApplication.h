#pragma once
// The one QApplication of a test program of widgets, on the offscreen platform, made before the
// first test and gone after the last. A program registers it once, in one of its files:
//   [[maybe_unused]] ::testing::Environment* const kQtApplication = AddQtTestApplication();

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace ledgra::testing {

class QtApplicationEnvironment : public ::testing::Environment {
public:
    explicit QtApplicationEnvironment(std::function<void()> beforeApplication)
        : m_beforeApplication(std::move(beforeApplication)) {}

    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Tests may run as root, where the browser engine's sandbox refuses to start.
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        }
        // No service of the desktop session is ever asked (a file manager, a portal).
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ledgra-test-bus");
        QStandardPaths::setTestModeEnabled(true);
        if (m_beforeApplication) m_beforeApplication();
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    std::function<void()> m_beforeApplication;
    int m_argc = 1;
    char m_name[16] = "ledgra_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

// `beforeApplication` runs just before the application object is made, for what must precede
// it (the browser engine's address schemes).
inline ::testing::Environment* AddQtTestApplication(std::function<void()> beforeApplication = {}) {
    return ::testing::AddGlobalTestEnvironment(
        new QtApplicationEnvironment(std::move(beforeApplication)));
}

}  // namespace ledgra::testing
