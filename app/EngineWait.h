#pragma once
// Waiting for the browser engine. It loads and prints asynchronously; the viewer's commands
// that need a loaded page or a finished print are synchronous, so they start the engine's work
// and wait here, each wait bounded.

#include <QObject>

#include <chrono>
#include <functional>
#include <optional>

namespace ledgra {

// Whether clicks and keys are handled during a wait; held back, they arrive after it.
enum class UserInput { Handled, HeldBack };

// Tells the wait that the engine's work is done. It may be called after the wait gave up, and
// then does nothing.
using EngineDone = std::function<void()>;

// Starts the engine's work and runs the event loop, the interface staying responsive, until
// the work calls `done`, the limit passes or `owner` (what the engine works on) goes away.
// True when the work was done in time.
bool WaitForEngine(QObject& owner, const std::function<void(const EngineDone& done)>& start,
                   std::chrono::milliseconds limit, UserInput input);

// The same for work that ends with a signal telling its success (loadFinished,
// printFinished): the signal's value, or nothing when it did not come in time.
template <typename Sender, typename Signal>
std::optional<bool> WaitForFinished(Sender& sender, Signal finished,
                                    const std::function<void()>& start,
                                    std::chrono::milliseconds limit, UserInput input) {
    std::optional<bool> succeeded;
    QMetaObject::Connection connection;
    const bool done = WaitForEngine(
        sender,
        [&](const EngineDone& report) {
            connection = QObject::connect(&sender, finished, [&succeeded, report](bool ok) {
                succeeded = ok;
                report();
            });
            start();
        },
        limit, input);
    // Cut before `succeeded` goes; a sender that went away took the connection with it.
    QObject::disconnect(connection);
    return done ? succeeded : std::nullopt;
}

}  // namespace ledgra
