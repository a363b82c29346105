// Start-up, from process start to the window painted with the caret in the input box, and the
// peak memory on the way, for the program's window and for a bare Qt window.

#include "bench/child_launcher.h"
#include "bench/median.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

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
        const launcher::Outcome run = launcher::Run(program);
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
        const launcher::Outcome base = launcher::Run(bare);
        const launcher::Outcome run = launcher::Run(shujian);
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
