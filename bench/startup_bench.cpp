// Start-up, from process start to the window painted with the caret in the input box, and the
// peak memory on the way, for the program's window and for a bare Qt window.

#include "bench/median.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

extern char **environ;

namespace {

struct Outcome {
    bool ok = false;
    std::string error;
    double seconds = 0; // from just before the spawn to the helper's exit being collected
    double peakMiB = 0; // the helper's own peak resident set, as it printed it
};

// Runs a start-up helper and waits for it. posix_spawn, unlike fork, copies none of our page
// tables, which the big-paste benchmarks have grown, so the time is the helper's own.
Outcome runHelper(const std::string &program)
{
    // The helpers always get the offscreen platform; ours was chosen when QApplication started.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    Outcome outcome;
    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0) {
        outcome.error = std::string("no pipe: ") + std::strerror(errno);
        return outcome;
    }
    // The helper's standard output carries its peak. Qt's start-up notes on its standard error
    // would bury the benchmark's table; a helper that fails can be run by hand.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};

    const auto start = std::chrono::steady_clock::now();
    pid_t child = -1;
    const int spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawnError != 0) {
        close(output[0]);
        outcome.error = "cannot start " + program + ": " + std::strerror(spawnError);
        return outcome;
    }
    std::string printed;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            printed.append(buffer, std::size_t(got));
        else if (errno != EINTR)
            break;
    }
    close(output[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    long peakKiB = 0;
    const std::size_t at = printed.find("VmHWM:");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || at == std::string::npos
        || std::sscanf(printed.c_str() + at, "VmHWM: %ld kB", &peakKiB) != 1) {
        outcome.error = program + " did not exit cleanly after printing its peak (wait status "
                        + std::to_string(status) + ")";
        return outcome;
    }
    outcome.ok = true;
    outcome.peakMiB = double(peakKiB) / 1024.0;
    return outcome;
}

std::string helperPath(const char *name)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(name) : (self.parent_path() / name).string();
}

void BM_Startup(benchmark::State &state, const char *helper)
{
    const std::string program = helperPath(helper);
    std::vector<double> seconds;
    double peak = 0;
    for (auto _ : state) {
        const Outcome run = runHelper(program);
        if (!run.ok) {
            state.SkipWithError(run.error.c_str());
            break;
        }
        state.SetIterationTime(run.seconds);
        seconds.push_back(run.seconds);
        peak = std::max(peak, run.peakMiB);
    }
    state.counters["median_ms"] = Median(seconds) * 1e3;
    state.counters["peak_MiB"] = peak;
}
BENCHMARK_CAPTURE(BM_Startup, bare, STARTUP_BARE_NAME)
    ->Name("Startup/bare")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Startup, shujian, STARTUP_SHUJIAN_NAME)
    ->Name("Startup/shujian")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The two in turn, so that both see the same moments of a noisy machine; the ratios are the
// figures to read. The manual time is the program's.
void BM_StartupAgainstBare(benchmark::State &state)
{
    const std::string shujian = helperPath(STARTUP_SHUJIAN_NAME);
    const std::string bare = helperPath(STARTUP_BARE_NAME);
    std::vector<double> shujianSeconds;
    std::vector<double> bareSeconds;
    double shujianPeak = 0;
    double barePeak = 0;
    for (auto _ : state) {
        const Outcome base = runHelper(bare);
        const Outcome run = runHelper(shujian);
        if (!base.ok || !run.ok) {
            state.SkipWithError((base.ok ? run : base).error.c_str());
            break;
        }
        state.SetIterationTime(run.seconds);
        shujianSeconds.push_back(run.seconds);
        bareSeconds.push_back(base.seconds);
        shujianPeak = std::max(shujianPeak, run.peakMiB);
        barePeak = std::max(barePeak, base.peakMiB);
    }
    const double shujianMedian = Median(shujianSeconds);
    const double bareMedian = Median(bareSeconds);
    state.counters["shujian_ms"] = shujianMedian * 1e3;
    state.counters["bare_ms"] = bareMedian * 1e3;
    state.counters["time_ratio"] = bareMedian > 0 ? shujianMedian / bareMedian : 0;
    state.counters["shujian_MiB"] = shujianPeak;
    state.counters["bare_MiB"] = barePeak;
    state.counters["extra_MiB"] = shujianPeak - barePeak;
}
BENCHMARK(BM_StartupAgainstBare)
    ->Name("Startup/shujian_vs_bare")
    ->UseManualTime()
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);

} // namespace
