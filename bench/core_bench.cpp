// The analysis core alone: reducing a typed number and composing its 31-line report.

#include "analysis/fortune.h"
#include "analysis/module1.h"
#include "analysis/report.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

namespace {

constexpr std::u16string_view Mobile = u"13812345678";

void BM_DeriveAndCompose(benchmark::State &state)
{
    analysis::Module1 data = analysis::FilledModule();
    if (analysis::DeriveFortuneNumber(Mobile).outcome != analysis::Outcome::Report) {
        state.SkipWithError("the mobile number gives no report");
        return;
    }
    for (auto _ : state) {
        const analysis::Derivation run = analysis::DeriveFortuneNumber(Mobile);
        analysis::ComposeReport(data, Mobile, run.FortuneNumber);
        benchmark::DoNotOptimize(data.ReportText.data());
        benchmark::ClobberMemory();
    }
    state.counters["report_chars"] = double(data.ReportText.size());
}
BENCHMARK(BM_DeriveAndCompose)->Name("Core/DeriveAndCompose/13812345678")->Repetitions(5);

// Baseline: the least any report can cost, writing its finished text once into a buffer that
// already has room, as ComposeReport's reused buffer has.
void BM_CopyReport(benchmark::State &state)
{
    analysis::Module1 data = analysis::FilledModule();
    const analysis::Derivation run = analysis::DeriveFortuneNumber(Mobile);
    analysis::ComposeReport(data, Mobile, run.FortuneNumber);
    const std::u16string report = data.ReportText;
    std::u16string copy;
    copy.reserve(report.size());
    for (auto _ : state) {
        copy.assign(report);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyReport)->Name("Core/CopyReportBaseline/13812345678")->Repetitions(5);

} // namespace
