#include "filetree/ShareEnumerator.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace ledgra {

namespace {

constexpr int kStartTimeoutMs = 1000;
constexpr int kRunTimeoutMs = 2000;
constexpr qsizetype kMaxOutputBytes = 1 << 20;

QString WithoutTrailingSeparator(const QString& path) {
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

}  // namespace

void CShareEnumerator::Refresh() {
    m_sharedFolders.clear();
    const QString net = QStandardPaths::findExecutable(QStringLiteral("net"));
    if (net.isEmpty()) return;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(net, {QStringLiteral("usershare"), QStringLiteral("info")});
    if (!process.waitForStarted(kStartTimeoutMs)) return;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
        return;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return;
    m_sharedFolders = ParseUsershareInfo(process.readAllStandardOutput().left(kMaxOutputBytes));
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
