#include "app/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>

#include <cerrno>
#include <csignal>

namespace ledgra {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT};
int g_writeEnd = -1;

void WriteToPipe(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_writeEnd, &byte, 1);
    errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals() {
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    g_writeEnd = m_pipe[1];
    m_notifier = std::make_unique<QSocketNotifier>(m_pipe[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::OnSignal);

    struct sigaction action {};
    action.sa_handler = WriteToPipe;
    sigemptyset(&action.sa_mask);
    // A second signal takes the default action: a viewer whose event loop is stuck still ends.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : kSignals) std::signal(signal, SIG_DFL);
    g_writeEnd = -1;
    m_notifier.reset();
    for (const int end : m_pipe) {
        if (end >= 0) ::close(end);
    }
}

void TerminationSignals::OnSignal() {
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    m_received = true;
    // Ends every running event loop, a message box's included.
    QCoreApplication::exit(0);
}

}  // namespace ledgra
