#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "app/SingleInstance.h"
#include "tests/app/AppTestSupport.h"

namespace ledgra {
namespace {

using std::chrono::milliseconds;

QString UniqueChannel() {
    static int counter = 0;
    return HandOffChannelName() +
           QStringLiteral("-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

// A later start sends from a thread of its own (it blocks), while this thread runs the event
// loop of the running instance until the sender has its answer.
HandOffResult SendFromAnotherThread(const QString& channel, const QByteArray& path,
                                    std::atomic<bool>& senderReturned) {
    HandOffResult result = HandOffResult::Broken;
    QEventLoop loop;
    std::thread sender([&] {
        result = SendHandOff(channel, path, milliseconds(2000));
        senderReturned = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(std::chrono::seconds(20), &loop, &QEventLoop::quit);
    loop.exec();
    sender.join();
    return result;
}

TEST(HandOffTest, ThePathArrivesByteForByteAndIsAcknowledgedAfterTheHandlerRan) {
    const QString channel = UniqueChannel();
    std::atomic<bool> senderReturned = false;
    std::vector<QByteArray> received;
    bool senderWaitedForHandler = true;
    HandOffServer server([&](const QByteArray& path) {
        received.push_back(path);
        // The sender is still blocked while the running instance deals with the path.
        if (senderReturned) senderWaitedForHandler = false;
    });
    ASSERT_TRUE(server.Listen(channel));

    // Code page 949 and invalid UTF-8 bytes travel unchanged, and so does an empty path.
    const QByteArray path("/docs/\xB0\xA1\xFF/a.ktx");
    EXPECT_EQ(SendFromAnotherThread(channel, path, senderReturned), HandOffResult::Delivered);
    senderReturned = false;
    EXPECT_EQ(SendFromAnotherThread(channel, QByteArray(), senderReturned),
              HandOffResult::Delivered);

    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], path);
    EXPECT_TRUE(received[1].isEmpty());
    EXPECT_TRUE(senderWaitedForHandler);
}

TEST(HandOffTest, WithoutARunningInstanceThereIsNobodyToHandOverTo) {
    EXPECT_EQ(SendHandOff(UniqueChannel(), QByteArray("/a.ktx"), milliseconds(500)),
              HandOffResult::NoInstance);
}

TEST(HandOffTest, AnOversizedPathIsRefusedWithoutReachingTheHandler) {
    const QString channel = UniqueChannel();
    int handled = 0;
    HandOffServer server([&](const QByteArray&) { ++handled; });
    ASSERT_TRUE(server.Listen(channel));
    std::atomic<bool> senderReturned = false;
    const QByteArray path(kMaxHandOffBytes + 1, 'a');
    EXPECT_EQ(SendFromAnotherThread(channel, path, senderReturned), HandOffResult::Broken);
    EXPECT_EQ(handled, 0);
}

TEST(InstanceLockTest, OnlyOneHolderAtATimeAndTheLockIsFreedWithItsHolder) {
    testing::TempFolder folder;
    const QString path = testing::ToQString(folder.Path());
    auto first = std::make_unique<InstanceLock>(path);
    ASSERT_TRUE(first->TryLock());
    InstanceLock second(path);
    EXPECT_FALSE(second.TryLock());
    first.reset();
    EXPECT_TRUE(second.TryLock());
}

}  // namespace
}  // namespace ledgra
