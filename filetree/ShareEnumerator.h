#pragma once
// The folders this machine shares: Samba user shares, as `net usershare info` lists them. The
// list is kept and refreshed in the background: nobody waits for the `net` program.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

namespace ledgra {

class CShareEnumerator : public QObject {
    Q_OBJECT

public:
    CShareEnumerator();
    ~CShareEnumerator() override;

    // Starts reading the share list again, unless a reading is under way; the list read last
    // stays in use until the new one is there. Without the `net` program, or when it fails or
    // takes too long, no folder counts as shared.
    void Refresh();
    bool IsRefreshing() const { return m_process != nullptr; }
    // Whether a share's folder is exactly this path (a trailing separator aside).
    bool IsShared(const QString& path) const;

    // The folders of the shares in `net usershare info` output.
    static QStringList ParseUsershareInfo(const QByteArray& output);

signals:
    // A reading has ended (with or without a list).
    void Refreshed();

private:
    void OnFinished();

    QStringList m_sharedFolders;
    std::unique_ptr<QProcess> m_process;
};

}  // namespace ledgra
