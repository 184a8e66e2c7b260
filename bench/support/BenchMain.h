#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

// The main of every benchmark program. Unlike the library's own it ends with
// exit code 1 when a benchmark reported an error, so that a benchmark that no
// longer runs fails the build's checks instead of printing a line nobody reads.
// Drawing and loading drawings measure text, so a GUI application (offscreen
// without a display) is there for every program.
namespace bench {

class CErrorCountingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                ++m_nErrors;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    int GetErrorCount() const { return m_nErrors; }

private:
    int m_nErrors = 0;
};

inline int RunBenchmarks(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    CErrorCountingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (reporter.GetErrorCount() > 0) {
        std::fprintf(stderr, "%d benchmark(s) reported an error\n", reporter.GetErrorCount());
        return 1;
    }
    return 0;
}

}  // namespace bench

#define KESTREL_BENCHMARK_MAIN()                 \
    int main(int argc, char** argv) {            \
        return bench::RunBenchmarks(argc, argv); \
    }
