#pragma once
// The folders this machine shares: Samba user shares, as `net usershare info` lists them.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ledgra {

class CShareEnumerator {
public:
    CShareEnumerator() = default;
    virtual ~CShareEnumerator() = default;

    // Reads the share list again. Without the `net` program, or when it fails or takes too
    // long, no folder counts as shared.
    void Refresh();
    // Whether a share's folder is exactly this path (a trailing separator aside).
    bool IsShared(const QString& path) const;

    // The folders of the shares in `net usershare info` output.
    static QStringList ParseUsershareInfo(const QByteArray& output);

private:
    QStringList m_sharedFolders;
};

}  // namespace ledgra
