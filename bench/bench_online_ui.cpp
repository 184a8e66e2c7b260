// The user-interface thread while a loop view monitors loop 1 of the example
// against varex-sim over loopback TCP: a 1 ms heartbeat timer runs for five
// seconds and its worst lateness is the longest stall (goal: under 16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>

#include "comm/OnlineSession.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"
#include "platform/MessageBox.h"
#include "support/BenchMain.h"
#include "support/QuietUi.h"
#include "support/SimProcess.h"

namespace {

void BM_UiStallWhileMonitoring(benchmark::State& state) {
    CSimProcess sim(VAREX_SIM_PATH, "--tcp 127.0.0.1:0", 602);
    RegisterDrawingClasses();
    CUndoManager undo;
    CConfDoc doc;
    if (sim.Target().empty() || !doc.OnOpenDocument(KESTREL_EXAMPLE_PLANT)) {
        state.SkipWithError("varex-sim or the example did not start");
        return;
    }
    CCommunicationData settings;
    settings.m_nInterface = CCommunicationData::kInterfaceEthernet;
    settings.m_strIPAddress = sim.Target();
    settings.m_nMonitPeriod = 200;
    CQuietUi ui;
    DownloadConfiguration(doc, settings, ui);
    CLoopView view(doc);
    view.resize(1200, 900);
    view.show();
    int passes = 0;
    view.Online().SetValuesListener([&](const std::vector<CBlockValues>&) { ++passes; });
    view.Online().GoOnline(settings);
    view.Online().OnMonitoring();
    double worstMs = 0.0;
    for (auto _ : state) {
        QElapsedTimer clock;
        QElapsedTimer last;
        QTimer heartbeat;
        heartbeat.setTimerType(Qt::PreciseTimer);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            worstMs = std::max(worstMs, static_cast<double>(last.nsecsElapsed()) / 1e6 - 1.0);
            last.restart();
        });
        clock.start();
        last.start();
        heartbeat.start(1);
        while (clock.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        heartbeat.stop();
        state.SetIterationTime(static_cast<double>(clock.elapsed()) / 1000.0);
    }
    view.Online().LeaveOnlineMode();
    state.counters["passes"] = passes;
    state.counters["worst_stall_ms"] = worstMs;
    if (passes == 0) {
        state.SkipWithError("no monitoring pass");
    }
}

BENCHMARK(BM_UiStallWhileMonitoring)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }
    bench::CErrorCountingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.GetErrorCount() > 0 ? 1 : 0;
}
