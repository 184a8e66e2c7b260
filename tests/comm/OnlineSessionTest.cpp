// The online worker against the simulator's protocol core, in process: the
// monitoring pass, the hand-over of its controller, a lost line, leaving.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "SimController.h"
#include "comm/ConfController.h"
#include "comm/FakePort.h"
#include "comm/OnlineSession.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "platform/MessageBox.h"
#include "platform/PostedMessage.h"
#include "support/TestPaths.h"

namespace {

using namespace std::chrono_literals;

// The messages the worker posts, and a wait for the next one of a kind.
class CPostedLog {
public:
    COnlineSession::Poster Poster() {
        return [this](const std::string& message) {
            {
                std::lock_guard lock(m_mutex);
                m_messages.push_back(message);
            }
            m_changed.notify_all();
        };
    }
    // Waits until the message was posted count times in all (generous: the
    // tests never depend on how fast it comes).
    bool WaitFor(const std::string& message, int count = 1) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 20s, [&] { return Count(message) >= count; });
    }
    int CountOf(const std::string& message) {
        std::lock_guard lock(m_mutex);
        return Count(message);
    }

private:
    int Count(const std::string& message) const {
        return static_cast<int>(std::count(m_messages.begin(), m_messages.end(), message));
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_messages;
};

// A simulated controller behind every port, with a plug that can be pulled
// and a count of the ports opened.
class CSimLine {
public:
    CSimLine() {
        CController::SetPortFactory([this](const CCommunicationData&) {
            ++opened;
            auto port = std::make_unique<CFakePort>([this](const std::vector<uint8_t>& request) {
                ++requests;
                if (delay.count() > 0) {
                    std::this_thread::sleep_for(delay);
                }
                std::lock_guard lock(m_simMutex);
                return plugged ? sim.HandleRequest(request) : std::vector<uint8_t>();
            });
            port->Open("", false);
            return port;
        });
        std::string error;
        sim.LoadDocument(testpaths::ExamplePlant(), error);
    }
    ~CSimLine() { CController::SetPortFactory(nullptr); }

    CSimController sim;
    std::atomic<bool> plugged{true};
    std::atomic<int> opened{0};
    std::atomic<int> requests{0};
    std::chrono::milliseconds delay{0};

private:
    std::mutex m_simMutex;
};

CCommunicationData FastSettings() {
    CCommunicationData settings;
    settings.m_nMonitPeriod = 200;
    settings.m_nRetries = 0;
    return settings;
}

CMonitoredBlock BlockOfType(const std::string& mnemonic, int number, int instance, int loop = 1) {
    const int type = FindBlockTypeByMnemonic(mnemonic);
    return {number, static_cast<uint8_t>(loop), static_cast<uint8_t>(type + 1),
            static_cast<uint8_t>(instance)};
}

class CNoUi : public CTransferUi {
public:
    void BeginProgress(const std::string&, const std::string&, int) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    int ShowMessage(const std::string&, const std::string& text, unsigned) override {
        messages.push_back(text);
        return IDYES;
    }
    std::vector<std::string> messages;
};

}  // namespace

TEST(OnlineSession, PeriodOutsideItsRangeBecomesTheShortestAndValuesSplit) {
    EXPECT_EQ(COnlineSession::ClampPeriod(100), 200);
    EXPECT_EQ(COnlineSession::ClampPeriod(60001), 200);
    EXPECT_EQ(COnlineSession::ClampPeriod(500), 500);
    EXPECT_EQ(COnlineSession::ClampPeriod(60000), 60000);
    EXPECT_EQ(COnlineSession::SplitValues("12.34%;-5.00%;"),
              (std::vector<std::string>{"12.34", "-5.00"}));
    EXPECT_TRUE(COnlineSession::SplitValues("").empty());
    // A reply cut short keeps only its whole values.
    EXPECT_EQ(COnlineSession::SplitValues("1.00%;2.0"), (std::vector<std::string>{"1.00"}));
}

TEST(OnlineSession, ProbesThenMonitorsTheBlocksInOrder) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    CCommunicationData settings = FastSettings();
    settings.m_nMonitPeriod = 100;
    ASSERT_TRUE(session.GoOnline(settings, "PLANT"));
    EXPECT_EQ(session.GetPeriod(), 200);
    EXPECT_TRUE(session.IsOnline());
    session.SetMonitoredBlocks({BlockOfType("AI", 1, 0), BlockOfType("PID", 39, 0)});
    session.StartMonitoring();
    ASSERT_TRUE(log.WaitFor(COnlineSession::kValuesReady));
    EXPECT_TRUE(session.IsConnected());
    std::vector<CBlockValues> values = session.TakeValues();
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].number, 1);
    EXPECT_EQ(values[1].number, 39);
    const BlockTypeInfo* pid = GetBlockTypeInfo(FindBlockTypeByMnemonic("PID"));
    ASSERT_NE(pid, nullptr);
    EXPECT_FALSE(values[1].values.empty());
    session.StopMonitoring();
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_ONLINE);
    session.LeaveOnlineMode();
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_OFFLINE);
    EXPECT_FALSE(session.HasWorker());
    EXPECT_EQ(log.CountOf(msg::kThreadCommError), 0);
}

TEST(OnlineSession, ConfigurationNameIsComparedWithTheController) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "OTHER"));
    // The probe runs first; a send request parks the worker after it.
    session.RequestSendToDevice();
    ASSERT_TRUE(log.WaitFor(msg::kThreadSendToDevice));
    ASSERT_NE(session.WaitPaused(), nullptr);
    EXPECT_FALSE(session.ConfigurationMatches());
    session.SetConfigurationName("PLANT   ");
    session.Release();
    // The next probe finds the name (trailing blanks do not count).
    for (int i = 0; i < 2000 && !session.ConfigurationMatches(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(session.ConfigurationMatches());
}

TEST(OnlineSession, LostLineParksTheWorkerAndRetryReconnectsToTheStateBefore) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    session.SetMonitoredBlocks({BlockOfType("PID", 39, 0)});
    session.StartMonitoring();
    ASSERT_TRUE(log.WaitFor(COnlineSession::kValuesReady));
    line.plugged = false;
    ASSERT_TRUE(log.WaitFor(msg::kThreadCommError));
    ASSERT_NE(session.WaitPaused(), nullptr);
    EXPECT_FALSE(session.GetErrorText().empty());
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_MONITORING);

    const int openedBefore = line.opened;
    line.plugged = true;
    const int passesBefore = session.GetPassCount();
    const int readyBefore = log.CountOf(COnlineSession::kValuesReady);
    session.Retry();
    ASSERT_TRUE(log.WaitFor(COnlineSession::kValuesReady, readyBefore + 1));
    EXPECT_EQ(line.opened, openedBefore + 1);
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_MONITORING);
    EXPECT_EQ(session.GetPreviousState(), COnlineSession::STATE_OFFLINE);
    EXPECT_GT(session.GetPassCount(), passesBefore);
    EXPECT_EQ(log.CountOf(msg::kThreadCommError), 1);
}

TEST(OnlineSession, UpdateWithNothingChangedKeepsTheStateAndTheWorkerGoesOn) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    session.SetMonitoredBlocks({BlockOfType("PID", 39, 0)});
    session.StartMonitoring();
    ASSERT_TRUE(session.RequestSendToDevice());
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_SEND_REQUESTED);
    ASSERT_TRUE(log.WaitFor(msg::kThreadSendToDevice));
    CConfController* controller = session.WaitPaused();
    ASSERT_NE(controller, nullptr);
    CConfDoc doc;
    doc.OnNewDocument();
    doc.CreateDefaultLoops();
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        doc.GetLoop(n)->SetModified(0);
    }
    const int requestsBefore = line.requests;
    CNoUi ui;
    EXPECT_TRUE(SendChangedLoops(doc, *controller, true, ui));
    EXPECT_EQ(line.requests, requestsBefore);
    EXPECT_TRUE(ui.messages.empty());
    session.Release();
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_MONITORING);
    const int passes = log.CountOf(COnlineSession::kValuesReady);
    ASSERT_TRUE(log.WaitFor(COnlineSession::kValuesReady, passes + 1));
}

TEST(OnlineSession, BlockMonitorGetsTheLineWhileTheWorkerIsParked) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    ASSERT_TRUE(session.RequestBlockMonitor());
    ASSERT_TRUE(log.WaitFor(msg::kThreadBlockMonitor));
    CConfController* controller = session.WaitPaused();
    ASSERT_NE(controller, nullptr);
    // The worker has closed its line so that the monitor can open its own.
    EXPECT_FALSE(controller->IsOpen());
    const int opened = line.opened;
    session.Release();
    session.RequestSendToDevice();
    ASSERT_TRUE(log.WaitFor(msg::kThreadSendToDevice));
    EXPECT_TRUE(session.WaitPaused()->IsOpen());
    EXPECT_EQ(line.opened, opened + 1);
    session.Release();
}

TEST(OnlineSession, LeavingDuringAReadEndsAfterThatExchange) {
    CSimLine line;
    line.delay = 300ms;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    session.SetMonitoredBlocks(
        {BlockOfType("PID", 39, 0), BlockOfType("AI", 1, 0), BlockOfType("AI", 2, 1)});
    session.StartMonitoring();
    while (line.requests < 3) {  // the probe's two requests, then a read
        std::this_thread::sleep_for(10ms);
    }
    session.LeaveOnlineMode();
    const int requests = line.requests;
    EXPECT_FALSE(session.HasWorker());
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(line.requests, requests);
    EXPECT_EQ(log.CountOf(msg::kThreadShutdown), 0);
}

TEST(OnlineSession, OpenFailureEndsTheWorkerAndTellsTheWindow) {
    CController::SetPortFactory(
        [](const CCommunicationData&) { return std::unique_ptr<CAbstractCommPort>(); });
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    ASSERT_TRUE(log.WaitFor(msg::kThreadShutdown));
    EXPECT_FALSE(session.IsConnected());
    EXPECT_FALSE(session.IsOnline());
    session.Shutdown();
    EXPECT_FALSE(session.HasWorker());
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_OFFLINE);
    CController::SetPortFactory(nullptr);
}

TEST(OnlineSession, GoingOnlineAndOfflineManyTimesLeavesNothingRunning) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    session.SetMonitoredBlocks({BlockOfType("PID", 39, 0)});
    for (int n = 0; n < 100; ++n) {
        ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
        if (n % 2 == 1) {
            session.StartMonitoring();
        }
        if (n % 3 == 0) {
            session.LeaveOnlineMode();
        }
    }
    session.LeaveOnlineMode();
    EXPECT_FALSE(session.HasWorker());
    EXPECT_EQ(log.CountOf(msg::kThreadShutdown), 0);
}

TEST(OnlineSession, UpdateAskedWhileAnErrorWaitsEndsOnlineAfterTheRetry) {
    CSimLine line;
    CPostedLog log;
    COnlineSession session(log.Poster());
    ASSERT_TRUE(session.GoOnline(FastSettings(), "PLANT"));
    line.plugged = false;
    ASSERT_TRUE(log.WaitFor(msg::kThreadCommError));
    // The user presses Update before answering the error box.
    ASSERT_TRUE(session.RequestSendToDevice());
    ASSERT_NE(session.WaitPaused(), nullptr);
    line.plugged = true;
    session.Retry();
    ASSERT_TRUE(log.WaitFor(msg::kThreadSendToDevice));
    ASSERT_NE(session.WaitPaused(), nullptr);
    session.Release();
    EXPECT_EQ(session.GetState(), COnlineSession::STATE_ONLINE);
    EXPECT_TRUE(session.IsOnline());
}
