#pragma once
// One change watch of the file tree: a worker thread that waits on inotify for the folders of
// one watched root that the tree has expanded, and tells the tree when names come or go there.

#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace ledgra {

class CTreeFileCtrlThreadInfo {
public:
    // Told on the worker's thread the folder whose names changed.
    using ChangeNotice = std::function<void(const QString& folder)>;

    // A watch of path (kept with a trailing separator) that tells notice of changes; index is
    // its position in the tree's watch list when it was added, identity a number no other
    // watch of the tree ever has.
    CTreeFileCtrlThreadInfo(const QString& path, ChangeNotice notice, int index,
                            std::uint64_t identity);
    // Stops the worker and waits for it.
    virtual ~CTreeFileCtrlThreadInfo();
    CTreeFileCtrlThreadInfo(const CTreeFileCtrlThreadInfo&) = delete;
    CTreeFileCtrlThreadInfo& operator=(const CTreeFileCtrlThreadInfo&) = delete;

    // Starts the worker on the root folder. With showFiles, file names count as changes too;
    // otherwise only folder names do.
    void Start(bool showFiles);
    // Adds a folder of the root's subtree (one the tree has just filled) to the watch; it is
    // watched when this returns.
    void Watch(const QString& folder);
    // Sets the stop event; Join waits for the worker to end.
    void SignalStop();
    void Join();
    // Whether the user's inotify watch limit stopped folders from being added.
    bool LimitReached() const { return m_bLimitReached; }

    // The workers running now, in the whole program.
    static int RunningWorkers();

    const QString m_strPath;
    const int m_nIndex;
    const std::uint64_t m_nIdentity;

private:
    void Run(bool showFiles);

    const ChangeNotice m_notice;
    std::thread m_thread;
    int m_stopEvent = -1;  // eventfd: written to stop the worker
    int m_notify = -1;     // inotify
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bLimitReached{false};
    std::mutex m_mutex;
    std::map<int, QString> m_folders;  // watch descriptor → folder
};

}  // namespace ledgra
