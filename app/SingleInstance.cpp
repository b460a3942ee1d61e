#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

#include <csignal>
#include <memory>

#if defined(Q_OS_LINUX)
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace ledgra {
namespace {

constexpr int kHeaderBytes = 4;  // the path's length, big-endian
constexpr char kAcknowledgement = 'A';

// The channel lives in the abstract socket namespace, which has no permissions: whoever is at
// the other end must be the same user.
bool PeerIsSameUser(const QLocalSocket& socket) {
#if defined(Q_OS_LINUX)
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED,
                     &credentials, &length) != 0) {
        return false;
    }
    return credentials.uid == ::getuid();
#else
    Q_UNUSED(socket);
    return true;
#endif
}

QString CurrentUser() {
#if defined(Q_OS_UNIX)
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

}  // namespace

InstanceLock::InstanceLock(const QString& folder)
    : m_lock(folder + QLatin1Char('/') + HandOffChannelName() + QStringLiteral(".lock")) {
    // Held for the life of the process: only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::TryLock() {
    if (m_lock.tryLock(0)) return true;
    return m_lock.error() != QLockFile::LockFailedError;
}

QString HandOffChannelName() {
    return QString::fromLatin1(kInstanceName) + QLatin1Char('-') + CurrentUser();
}

HandOffServer::HandOffServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {
    m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&m_server, &QLocalServer::newConnection, this, &HandOffServer::OnNewConnection);
}

bool HandOffServer::Listen(const QString& channelName) {
    return m_server.listen(channelName);
}

void HandOffServer::OnNewConnection() {
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsSameUser(*socket)) {
            socket->abort();
            continue;
        }
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
            received->append(socket->read(kHeaderBytes + kMaxHandOffBytes - received->size()));
            if (received->size() < kHeaderBytes) return;
            const quint32 length = qFromBigEndian<quint32>(received->constData());
            if (length > kMaxHandOffBytes) {
                socket->abort();
                return;
            }
            if (received->size() < kHeaderBytes + static_cast<qint64>(length)) return;
            // One path per connection; the handler may run message boxes, during which this
            // socket must not be read again.
            disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
            const QByteArray path = received->mid(kHeaderBytes, length);
            QPointer<QLocalSocket> alive(socket);
            m_handler(path);
            if (!alive) return;
            alive->write(&kAcknowledgement, 1);
            alive->flush();
            alive->disconnectFromServer();
        });
    }
}

HandOffResult SendHandOff(const QString& channelName, const QByteArray& path,
                          std::chrono::milliseconds connectLimit) {
    // No event loop runs while this start waits, so nothing would act on a handled signal.
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(channelName);
    if (!socket.waitForConnected(static_cast<int>(connectLimit.count()))) {
        return HandOffResult::NoInstance;
    }
    if (!PeerIsSameUser(socket)) return HandOffResult::NoInstance;

    QByteArray message(kHeaderBytes, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(path.size()), message.data());
    message += path;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(-1)) return HandOffResult::Broken;
    }
    // The running instance answers when it has shown the document, message boxes and all.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(-1)) return HandOffResult::Broken;
    }
    char answer = 0;
    socket.read(&answer, 1);
    return answer == kAcknowledgement ? HandOffResult::Delivered : HandOffResult::Broken;
}

}  // namespace ledgra
