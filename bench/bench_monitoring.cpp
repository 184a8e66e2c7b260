// A monitoring pass over loop 1 of the example, with the program's online
// worker, against varex-sim over loopback TCP and a pseudo-terminal paced at
// 19200 baud. Each run reports the time the protocol imposes and the ratio
// measured / imposed. Imposed: per block read the wait after the write (100 ms
// TCP, 50 ms serial) or, when longer, the reply's bytes at the line speed
// (12 bits a byte), which arrive during that wait.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>

#include "comm/ConfController.h"
#include "comm/DefaultPortFactory.h"
#include "comm/OnlineSession.h"
#include "comm/ProtocolCodes.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "support/BenchMain.h"
#include "support/QuietUi.h"
#include "support/SimProcess.h"

namespace {

constexpr int kBaud = 19200;

// Counts the block reads through the real transport and their reply bytes.
class CReadCountingPort : public CAbstractCommPort {
public:
    explicit CReadCountingPort(std::unique_ptr<CAbstractCommPort> port) : m_port(std::move(port)) {}
    bool IsOpen() const override { return m_port->IsOpen(); }
    bool Open(const std::string& name, bool overlapped) override {
        return m_port->Open(name, overlapped);
    }
    void Close() override { m_port->Close(); }
    int ReceiveFrame(uint8_t* dest, int size, const uint8_t* request, int length) override {
        m_port->m_nReplyTimeout = m_nReplyTimeout;
        m_port->m_pOwner = m_pOwner;
        const int received = m_port->ReceiveFrame(dest, size, request, length);
        if (m_bRead) {
            std::lock_guard lock(s_mutex);
            s_replyBytes.push_back(static_cast<std::size_t>(received));
        }
        return received;
    }
    int Read(uint8_t* buffer, int length) override { return m_port->Read(buffer, length); }
    int Write(const uint8_t* buffer, int length) override {
        m_bRead = length > 3 && buffer[3] == protocol::kReadValues;
        return m_port->Write(buffer, length);
    }
    void ClearBuffers() override { m_port->ClearBuffers(); }

    static inline std::mutex s_mutex;
    static inline std::vector<std::size_t> s_replyBytes;

private:
    std::unique_ptr<CAbstractCommPort> m_port;
    bool m_bRead = false;
};

std::vector<CMonitoredBlock> LoopOneInDrawingOrder(const CConfDoc& doc) {
    std::vector<CMonitoredBlock> blocks;
    for (const auto& item : doc.GetGraphObjects()) {
        auto* node = dynamic_cast<const CConfGraphNode*>(item.get());
        const CBlock* block = node != nullptr ? node->FindBlock(nullptr) : nullptr;
        if (block != nullptr && node->GetLoop() == 1) {
            blocks.push_back({block->GetBlockNumber(), 1, CConfController::FunctionOf(*block),
                              CConfController::OffsetOf(*block)});
        }
    }
    return blocks;
}

void RunPass(benchmark::State& state, bool serial) {
    CSimProcess sim(VAREX_SIM_PATH, serial ? "--pty --baud 19200" : "--tcp 127.0.0.1:0", 601);
    RegisterDrawingClasses();
    CConfDoc doc;
    if (sim.Target().empty() || !doc.OnOpenDocument(KESTREL_EXAMPLE_PLANT)) {
        state.SkipWithError("varex-sim or the example did not start");
        return;
    }
    CCommunicationData settings;
    settings.m_nInterface =
        serial ? CCommunicationData::kInterfaceSerial : CCommunicationData::kInterfaceEthernet;
    (serial ? settings.m_strPort : settings.m_strIPAddress) = sim.Target();
    settings.m_nBaudRate = kBaud;
    settings.m_nTimeout = 500;
    settings.m_nMonitPeriod = 60000;  // one pass, then a long wait
    CQuietUi ui;
    DownloadConfiguration(doc, settings, ui);
    CController::SetPortFactory(
        [](const CCommunicationData& line) -> std::unique_ptr<CAbstractCommPort> {
            auto port = MakeDefaultPort(line);
            return port ? std::make_unique<CReadCountingPort>(std::move(port)) : nullptr;
        });
    const std::vector<CMonitoredBlock> blocks = LoopOneInDrawingOrder(doc);
    double measuredMs = 0.0;
    std::vector<std::size_t> replies;
    for (auto _ : state) {
        std::mutex mutex;
        std::condition_variable passed;
        bool done = false;
        COnlineSession session([&](const std::string& message) {
            if (message == COnlineSession::kValuesReady) {
                std::lock_guard lock(mutex);
                done = true;
                passed.notify_all();
            }
        });
        {
            std::lock_guard lock(CReadCountingPort::s_mutex);
            CReadCountingPort::s_replyBytes.clear();
        }
        session.SetMonitoredBlocks(blocks);
        session.GoOnline(settings, doc.GetConfigurationName());
        session.StartMonitoring();
        std::unique_lock lock(mutex);
        if (!passed.wait_for(lock, std::chrono::seconds(60), [&] { return done; })) {
            state.SkipWithError("no monitoring pass");
            break;
        }
        lock.unlock();
        measuredMs = session.GetLastPassMilliseconds();
        state.SetIterationTime(measuredMs / 1000.0);
        session.LeaveOnlineMode();
        std::lock_guard counted(CReadCountingPort::s_mutex);
        replies = CReadCountingPort::s_replyBytes;
    }
    double imposed = 0.0;
    for (std::size_t bytes : replies) {
        const double lineMs = serial ? bytes * 12.0 * 1000.0 / kBaud : 0.0;
        imposed += std::max(serial ? 50.0 : 100.0, lineMs);
    }
    state.counters["blocks"] = static_cast<double>(replies.size());
    state.counters["imposed_ms"] = imposed;
    state.counters["measured_ms"] = measuredMs;
    state.counters["ratio"] = imposed > 0.0 ? measuredMs / imposed : 0.0;
    CController::SetPortFactory(nullptr);
}

void BM_MonitoringPassTcp(benchmark::State& state) {
    RunPass(state, false);
}
void BM_MonitoringPassPty19200(benchmark::State& state) {
    RunPass(state, true);
}

BENCHMARK(BM_MonitoringPassTcp)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MonitoringPassPty19200)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

KESTREL_BENCHMARK_MAIN()
