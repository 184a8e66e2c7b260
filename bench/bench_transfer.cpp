// Download and upload of the example configuration to varex-sim over loopback
// TCP and a pseudo-terminal paced at 19200 baud. Besides the time, each run
// reports the time the protocol itself imposes and the ratio measured / imposed.
// Imposed: the wait after replacing loops, and per exchange the wait after the
// write (100 ms TCP, 50 ms serial) or, when longer, the reply's bytes at the
// line speed (12 bits a byte), which arrive during that wait. A pseudo-terminal
// does not pace the requests, so their line time is not counted.
#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "comm/ConfController.h"
#include "comm/DefaultPortFactory.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "support/BenchMain.h"
#include "support/QuietUi.h"
#include "support/SimProcess.h"

namespace {

constexpr int kBaud = 19200;

// Counts frames and bytes through the real transport.
class CCountingPort : public CAbstractCommPort {
public:
    explicit CCountingPort(std::unique_ptr<CAbstractCommPort> port) : m_port(std::move(port)) {}
    bool IsOpen() const override { return m_port->IsOpen(); }
    bool Open(const std::string& name, bool overlapped) override {
        return m_port->Open(name, overlapped);
    }
    void Close() override { m_port->Close(); }
    int ReceiveFrame(uint8_t* dest, int size, const uint8_t* request, int length) override {
        m_port->m_nReplyTimeout = m_nReplyTimeout;
        m_port->m_pOwner = m_pOwner;
        const int received = m_port->ReceiveFrame(dest, size, request, length);
        s_replyBytes.push_back(static_cast<std::size_t>(received));
        return received;
    }
    int Read(uint8_t* buffer, int length) override { return m_port->Read(buffer, length); }
    int Write(const uint8_t* buffer, int length) override {
        ++s_frames;
        return m_port->Write(buffer, length);
    }
    void ClearBuffers() override { m_port->ClearBuffers(); }

    static inline std::size_t s_frames = 0;
    static inline std::vector<std::size_t> s_replyBytes;

private:
    std::unique_ptr<CAbstractCommPort> m_port;
};

CCommunicationData Settings(bool serial, const std::string& target) {
    CCommunicationData settings;
    settings.m_nInterface =
        serial ? CCommunicationData::kInterfaceSerial : CCommunicationData::kInterfaceEthernet;
    (serial ? settings.m_strPort : settings.m_strIPAddress) = target;
    settings.m_nBaudRate = kBaud;
    settings.m_nTimeout = 500;
    return settings;
}

void Report(benchmark::State& state, double measuredMs, bool serial, bool download) {
    const double frames = static_cast<double>(CCountingPort::s_frames);
    double imposed = download ? 500.0 : 0.0;
    for (std::size_t bytes : CCountingPort::s_replyBytes) {
        const double lineMs = serial ? bytes * 12.0 * 1000.0 / kBaud : 0.0;
        imposed += std::max(serial ? 50.0 : 100.0, lineMs);
    }
    state.counters["frames"] = frames;
    state.counters["imposed_ms"] = imposed;
    state.counters["measured_ms"] = measuredMs;
    state.counters["ratio"] = measuredMs / imposed;
}

void RunTransfer(benchmark::State& state, bool serial, bool download) {
    CSimProcess sim(VAREX_SIM_PATH, serial ? "--pty --baud 19200" : "--tcp 127.0.0.1:0", 600);
    // The example is drawn: its nodes and links must be known to load it.
    RegisterDrawingClasses();
    CConfDoc doc;
    if (sim.Target().empty() || !doc.OnOpenDocument(KESTREL_EXAMPLE_PLANT)) {
        state.SkipWithError("varex-sim or the example did not start");
        return;
    }
    CController::SetPortFactory(
        [](const CCommunicationData& settings) -> std::unique_ptr<CAbstractCommPort> {
            auto port = MakeDefaultPort(settings);
            return port ? std::make_unique<CCountingPort>(std::move(port)) : nullptr;
        });
    const CCommunicationData settings = Settings(serial, sim.Target());
    CQuietUi ui;
    DownloadConfiguration(doc, settings, ui);  // the simulator holds the plant for uploads
    double measuredMs = 0.0;
    for (auto _ : state) {
        CCountingPort::s_frames = 0;
        CCountingPort::s_replyBytes.clear();
        const auto start = std::chrono::steady_clock::now();
        bool ok = false;
        if (download) {
            ok = DownloadConfiguration(doc, settings, ui);
        } else {
            UploadResult result;
            ok = UploadConfiguration(settings, "", ui, result);
        }
        measuredMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (!ok) {
            state.SkipWithError("transfer failed");
            break;
        }
        state.SetIterationTime(measuredMs / 1000.0);
    }
    Report(state, measuredMs, serial, download);
    CController::SetPortFactory(nullptr);
}

void BM_DownloadTcp(benchmark::State& state) {
    RunTransfer(state, false, true);
}
void BM_UploadTcp(benchmark::State& state) {
    RunTransfer(state, false, false);
}
void BM_DownloadPty19200(benchmark::State& state) {
    RunTransfer(state, true, true);
}
void BM_UploadPty19200(benchmark::State& state) {
    RunTransfer(state, true, false);
}

BENCHMARK(BM_DownloadTcp)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadTcp)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DownloadPty19200)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadPty19200)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

KESTREL_BENCHMARK_MAIN()
