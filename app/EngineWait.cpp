#include "app/EngineWait.h"

#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <memory>

namespace ledgra {

bool WaitForEngine(QObject& owner, const std::function<void(const EngineDone& done)>& start,
                   std::chrono::milliseconds limit, UserInput input) {
    QEventLoop loop;
    // Shared with `done`, which the engine may keep and call after this frame is gone.
    auto finished = std::make_shared<bool>(false);
    QPointer<QEventLoop> waiting(&loop);
    QObject::connect(&owner, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    start([finished, waiting] {
        *finished = true;
        if (waiting) waiting->quit();
    });
    // Work that finished at once needs no loop.
    if (!*finished) {
        loop.exec(input == UserInput::HeldBack ? QEventLoop::ExcludeUserInputEvents
                                               : QEventLoop::AllEvents);
    }
    return *finished;
}

}  // namespace ledgra
