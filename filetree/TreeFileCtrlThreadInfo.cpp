#include "filetree/TreeFileCtrlThreadInfo.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "filetree/NativeNames.h"

namespace ledgra {

namespace {

std::atomic<int> g_runningWorkers{0};

constexpr std::uint32_t kNameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
// Changes that come in a burst (a copy of many files) are told once.
constexpr int kSettleMs = 150;

QString WithoutTrailingSeparator(const QString& path) {
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.chopped(1) : path;
}

}  // namespace

CTreeFileCtrlThreadInfo::CTreeFileCtrlThreadInfo(const QString& path, ChangeNotice notice,
                                                 int index, std::uint64_t identity)
    : m_strPath(path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/')),
      m_nIndex(index),
      m_nIdentity(identity),
      m_notice(std::move(notice)),
      m_stopEvent(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      m_notify(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {}

CTreeFileCtrlThreadInfo::~CTreeFileCtrlThreadInfo() {
    SignalStop();
    Join();
    if (m_stopEvent >= 0) close(m_stopEvent);
    if (m_notify >= 0) close(m_notify);
}

int CTreeFileCtrlThreadInfo::RunningWorkers() {
    return g_runningWorkers;
}

void CTreeFileCtrlThreadInfo::Start(bool showFiles) {
    // A watch that cannot be made has no worker; the record stays until a stop.
    if (m_thread.joinable() || m_stopEvent < 0 || m_notify < 0) return;
    Watch(WithoutTrailingSeparator(m_strPath));
    ++g_runningWorkers;
    m_thread = std::thread([this, showFiles] {
        Run(showFiles);
        --g_runningWorkers;
    });
}

void CTreeFileCtrlThreadInfo::Watch(const QString& folder) {
    if (m_notify < 0 || m_bLimitReached) return;
    constexpr std::uint32_t kMask = kNameEvents | IN_ONLYDIR;
    const int wd = inotify_add_watch(m_notify, NativeFromPath(folder).constData(), kMask);
    if (wd < 0) {
        // Past the user's limit the remaining folders go unwatched.
        if (errno == ENOSPC) m_bLimitReached = true;
        return;
    }
    std::lock_guard lock(m_mutex);
    m_folders[wd] = folder;
}

void CTreeFileCtrlThreadInfo::SignalStop() {
    m_bStop = true;
    if (m_stopEvent >= 0) eventfd_write(m_stopEvent, 1);
}

void CTreeFileCtrlThreadInfo::Join() {
    if (m_thread.joinable()) m_thread.join();
}

void CTreeFileCtrlThreadInfo::Run(bool showFiles) {
    alignas(inotify_event) char buffer[16 * 1024];
    QStringList changed;
    const auto readChanges = [&] {
        for (;;) {
            const ssize_t length = read(m_notify, buffer, sizeof buffer);
            if (length <= 0) return;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                std::lock_guard lock(m_mutex);
                if (event->mask & IN_IGNORED) {
                    m_folders.erase(event->wd);
                    continue;
                }
                const auto known = m_folders.find(event->wd);
                QString folder = event->mask & IN_Q_OVERFLOW ? WithoutTrailingSeparator(m_strPath)
                                 : known != m_folders.end()  ? known->second
                                                             : QString();
                const bool names = showFiles || (event->mask & IN_ISDIR);
                if (!folder.isEmpty() && names && !changed.contains(folder)) changed.append(folder);
            }
        }
    };

    pollfd waits[2] = {{m_stopEvent, POLLIN, 0}, {m_notify, POLLIN, 0}};
    while (!m_bStop) {
        // Without a change, wait without a time limit; after one, only until the burst settles.
        const int ready = poll(waits, 2, changed.isEmpty() ? -1 : kSettleMs);
        if (ready < 0 && errno != EINTR) break;
        if (m_bStop) break;
        if (ready > 0 && (waits[1].revents & POLLIN)) {
            readChanges();
            continue;
        }
        if (ready != 0 || changed.isEmpty()) continue;
        for (const QString& folder : changed) m_notice(folder);
        changed.clear();
    }
}

}  // namespace ledgra
