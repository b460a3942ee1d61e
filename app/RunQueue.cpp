#include "app/RunQueue.h"

#include <utility>

namespace ledgra {
namespace {

// Counts a run as in progress while it lives.
class InProgress {
public:
    explicit InProgress(int& depth) : m_depth(depth) { ++m_depth; }
    ~InProgress() { --m_depth; }
    InProgress(const InProgress&) = delete;
    InProgress& operator=(const InProgress&) = delete;

private:
    int& m_depth;
};

}  // namespace

void RunQueue::RunNow(const std::function<void()>& run) {
    {
        const InProgress inProgress(m_depth);
        run();
    }
    if (m_depth == 0) RunWaiting();
}

void RunQueue::RunInTurn(std::function<void()> run) {
    if (m_depth > 0) {
        m_waiting.push_back(std::move(run));
        return;
    }
    RunNow(run);
}

void RunQueue::RunWaiting() {
    // Each waiting run counts as in progress, so what arrives during it waits in turn; the loop
    // takes it, without the stack growing with the queue.
    while (!m_waiting.empty()) {
        const std::function<void()> next = std::move(m_waiting.front());
        m_waiting.pop_front();
        const InProgress inProgress(m_depth);
        next();
    }
}

}  // namespace ledgra
