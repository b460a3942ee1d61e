#pragma once
// Keeps the window's runs from nesting. A run's message box turns the event loop, and a second
// start's path (or a drop) can arrive while it is up. Shown at once, the new document would be
// overtaken by the rest of the run in progress: the page of one document under the title of
// another. So a path that arrives during a run waits for it, and the waiting ones are taken in
// the order they came, each to its end, once no run is in progress: the last one asked for is
// the one shown, and none is dropped.

#include <deque>
#include <functional>

namespace ledgra {

class RunQueue {
public:
    // Runs `run` at once, as part of the run in progress or as a run of its own.
    void RunNow(const std::function<void()>& run);
    // Runs `run` at once when no run is in progress; else after that run and every run that
    // waited before it.
    void RunInTurn(std::function<void()> run);

private:
    void RunWaiting();

    std::deque<std::function<void()>> m_waiting;
    int m_depth = 0;
};

}  // namespace ledgra
