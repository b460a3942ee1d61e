#include "filetree/ShareEnumerator.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

namespace ledgra {

namespace {

constexpr int kRunTimeoutMs = 5000;
constexpr qint64 kMaxOutputBytes = 1 << 20;

QString WithoutTrailingSeparator(const QString& path) {
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

}  // namespace

CShareEnumerator::CShareEnumerator() = default;

CShareEnumerator::~CShareEnumerator() {
    if (!m_process) return;
    m_process->disconnect(this);
    m_process->kill();
    m_process->waitForFinished(1000);
}

void CShareEnumerator::Refresh() {
    if (m_process) return;
    const QString net = QStandardPaths::findExecutable(QStringLiteral("net"));
    if (net.isEmpty()) {
        m_sharedFolders.clear();
        emit Refreshed();
        return;
    }
    m_process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    m_process->setProcessEnvironment(environment);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process.get(), &QProcess::finished, this, &CShareEnumerator::OnFinished);
    connect(m_process.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) OnFinished();
    });
    // A program that does not end in time is stopped; its list counts as empty.
    QTimer::singleShot(kRunTimeoutMs, m_process.get(),
                       [process = m_process.get()] { process->kill(); });
    m_process->start(net, {QStringLiteral("usershare"), QStringLiteral("info")});
}

void CShareEnumerator::OnFinished() {
    if (!m_process) return;
    std::unique_ptr<QProcess> process = std::move(m_process);
    process->disconnect(this);
    const bool succeeded = process->exitStatus() == QProcess::NormalExit &&
                           process->exitCode() == 0 && process->error() != QProcess::FailedToStart;
    m_sharedFolders =
        succeeded ? ParseUsershareInfo(process->read(kMaxOutputBytes)) : QStringList();
    // Deleting the process from inside its own signal is left to the event loop.
    process.release()->deleteLater();
    emit Refreshed();
}

bool CShareEnumerator::IsShared(const QString& path) const {
    return !path.isEmpty() && m_sharedFolders.contains(WithoutTrailingSeparator(path));
}

QStringList CShareEnumerator::ParseUsershareInfo(const QByteArray& output) {
    // Sections of "key=value" lines under a "[share name]" heading; "path" is the folder.
    QStringList folders;
    for (const QByteArray& line : output.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith("path=")) continue;
        const QString folder = QString::fromUtf8(trimmed.mid(5));
        if (folder.startsWith(QLatin1Char('/'))) folders.append(WithoutTrailingSeparator(folder));
    }
    return folders;
}

}  // namespace ledgra
