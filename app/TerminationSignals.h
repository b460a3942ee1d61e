#pragma once
// SIGTERM (a logout, `kill`) and SIGINT (Ctrl+C) end the viewer as closing its window does:
// the event loop quits and everything is torn down in order, the instance lock included. The
// signal handler only writes a byte to a pipe; the event loop reads it.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace ledgra {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Installs the handlers; needs the application object. One instance at a time.
    TerminationSignals();
    // Restores the default actions.
    ~TerminationSignals() override;

    // True once a signal arrived, also when it arrived before the event loop ran.
    bool Received() const { return m_received; }

private:
    void OnSignal();

    int m_pipe[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_received = false;
};

}  // namespace ledgra
