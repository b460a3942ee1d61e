#pragma once
// One running viewer per user: the first start takes a lock and, once its window is up,
// listens for the document paths of later starts; a later start hands its path over and waits
// until the running instance has dealt with it.

#include <QByteArray>
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

namespace ledgra {

// The name the lock and the hand-off channel are made from.
inline constexpr const char* kInstanceName = "Ledgra Viewer 1.0";
// A handed-off path longer than this is refused (no file-system path comes near it).
inline constexpr qint64 kMaxHandOffBytes = 64 * 1024;

// The per-user lock that makes a start the first instance, held until the process ends.
class InstanceLock {
public:
    // The lock file in `folder` (the user's runtime folder in the program).
    explicit InstanceLock(const QString& folder);
    // True when this process now holds the lock; false when another process does. A lock that
    // cannot be made at all (unwritable folder) counts as taken by us, so the viewer still
    // starts.
    bool TryLock();

private:
    QLockFile m_lock;
};

// The channel name of the current user.
QString HandOffChannelName();

// The running instance's end: every received path goes to the handler; the sender is
// acknowledged when the handler has returned. Only processes of the same user are heard.
class HandOffServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QByteArray& path)>;

    explicit HandOffServer(Handler handler, QObject* parent = nullptr);
    bool Listen(const QString& channelName);

private:
    void OnNewConnection();

    Handler m_handler;
    QLocalServer m_server;
};

enum class HandOffResult {
    Delivered,   // the running instance dealt with the path
    NoInstance,  // nobody answered: there is no running instance to hand over to
    Broken,      // the running instance went away before it acknowledged
};

// A later start's end: connects (waiting at most `connectLimit`), sends the path and blocks
// until the running instance acknowledges, however long that takes. SIGTERM and SIGINT end the
// process at once from here on.
HandOffResult SendHandOff(const QString& channelName, const QByteArray& path,
                          std::chrono::milliseconds connectLimit);

}  // namespace ledgra
