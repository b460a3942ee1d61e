#pragma once
// The peak memory of the benchmark's process so far, beside its time as the counter
// peak_rss_MiB.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

inline void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
