// Google Benchmark's main, with a QApplication for the window benchmarks.

#include <QApplication>

#include <benchmark/benchmark.h>

#ifdef SHUJIAN_STARTUP_BENCH
#include "bench/child_launcher.h"
#endif

int main(int argc, char **argv)
{
#ifdef SHUJIAN_STARTUP_BENCH
    // Before Qt starts threads or grows the process; see child_launcher.h.
    launcher::Start();
#endif
    // The window benchmarks need no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int result = 0;
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            result = 1;
        else
            benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
#ifdef SHUJIAN_STARTUP_BENCH
    launcher::Stop();
#endif
    return result;
}
