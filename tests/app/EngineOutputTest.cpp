#include <QLoggingCategory>

#include <gtest/gtest.h>

#include "app/EngineOutput.h"

namespace ledgra {
namespace {

TEST(EngineOutputTest, TheEnginesLogIsQuietenedUnlessTheUserChoseALevel) {
    struct Row {
        const char* user;
        const char* flags;
    };
    const Row rows[] = {
        {"", "--log-level=3"},
        {"  ", "--log-level=3"},
        {"--disable-gpu", "--disable-gpu --log-level=3"},
        {" --disable-gpu --no-sandbox ", "--disable-gpu --no-sandbox --log-level=3"},
        {"--enable-logging --log-level=0", "--enable-logging --log-level=0"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(QuietEngineFlags(row.user), QByteArray(row.flags)) << row.user;
    }
}

TEST(EngineOutputTest, TheContextDumpAndInfoMessagesAreOffButWarningsStay) {
    // Rules from the environment win over the program's, as they should.
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) GTEST_SKIP() << "QT_LOGGING_RULES is set";
    const QByteArray savedFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    QuietEngineOutput();
    QLoggingCategory context("qt.webenginecontext");
    EXPECT_FALSE(context.isInfoEnabled());
    EXPECT_TRUE(context.isWarningEnabled());
    EXPECT_FALSE(QLoggingCategory::defaultCategory()->isInfoEnabled());
    EXPECT_TRUE(QLoggingCategory::defaultCategory()->isWarningEnabled());
    EXPECT_TRUE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").endsWith("--log-level=3"));

    QLoggingCategory::setFilterRules(QString());
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", savedFlags);
}

}  // namespace
}  // namespace ledgra
