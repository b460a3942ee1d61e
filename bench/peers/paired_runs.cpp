// Whole-process time and memory of two commands, run in turn so that both see the same
// machine: prints for each the median wall time in milliseconds and the median peak resident
// memory in MiB.
//   paired_runs RUNS COMMAND_A... -- COMMAND_B...
// Both commands' output goes to /dev/null; a command that fails ends the measurement (status 1).

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

struct Sample {
    double milliseconds;
    double mebibytes;
};

bool RunOnce(char** command, Sample& sample) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) return false;
    const auto end = std::chrono::steady_clock::now();
    sample.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
    sample.mebibytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "paired_runs: %s failed (status %d)\n", command[0], status);
        return false;
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    int split = 2;
    while (split < argc && std::strcmp(argv[split], "--") != 0) ++split;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
    if (runs < 1 || split == 2 || split >= argc - 1) {
        std::fputs("usage: paired_runs RUNS COMMAND_A... -- COMMAND_B...\n", stderr);
        return 2;
    }
    argv[split] = nullptr;
    char** commands[2] = {argv + 2, argv + split + 1};
    std::vector<double> times[2];
    std::vector<double> memory[2];
    for (int run = 0; run < runs; ++run) {
        for (int which = 0; which < 2; ++which) {
            Sample sample{};
            if (!RunOnce(commands[which], sample)) return 1;
            times[which].push_back(sample.milliseconds);
            memory[which].push_back(sample.mebibytes);
        }
    }
    for (int which = 0; which < 2; ++which) {
        std::printf("%.2f %.1f\n", Median(times[which]), Median(memory[which]));
    }
    return 0;
}
