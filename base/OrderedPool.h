#pragma once
// Work on many items at once, results in the items' order: a small pool of threads, the calling
// thread one of them, for the ledger's rows.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

namespace ledgra {

// Works on the items 0 .. count-1 on up to `threads` threads (at least one) and hands each
// result to `sink(index, result)` once it and every result before it are ready: in order, one
// call at a time, from the working threads. `makeWorker()` is called once on each thread and
// returns that thread's work, a callable `Result(std::size_t index)`; what it holds lives while
// the thread works. Once `cancelled` is seen set no item is begun and no result handed out.
// Returns the number of results handed out.
template <typename MakeWorker, typename Sink>
std::size_t RunInOrder(std::size_t count, unsigned threads, const MakeWorker& makeWorker,
                       const Sink& sink, const std::atomic<bool>& cancelled) {
    using Worker = std::invoke_result_t<const MakeWorker&>;
    using Result = std::invoke_result_t<Worker&, std::size_t>;
    std::mutex mutex;
    std::vector<std::optional<Result>> ready(count);
    std::size_t nextToBegin = 0;
    std::size_t nextToHand = 0;

    auto work = [&] {
        Worker worker = makeWorker();
        for (;;) {
            std::size_t index = 0;
            {
                const std::lock_guard lock(mutex);
                if (cancelled || nextToBegin == count) return;
                index = nextToBegin++;
            }
            Result result = worker(index);
            const std::lock_guard lock(mutex);
            ready[index] = std::move(result);
            while (nextToHand < count && ready[nextToHand] && !cancelled) {
                sink(nextToHand, std::move(*ready[nextToHand]));
                ready[nextToHand].reset();
                ++nextToHand;
            }
        }
    };

    const std::size_t used = std::max<std::size_t>(1, std::min<std::size_t>(threads, count));
    std::vector<std::jthread> pool;
    for (std::size_t i = 1; i < used; ++i) pool.emplace_back(work);
    work();
    pool.clear();
    return nextToHand;
}

}  // namespace ledgra
