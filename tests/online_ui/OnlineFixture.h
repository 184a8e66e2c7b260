#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "SimController.h"
#include "comm/FakePort.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"
#include "support/TestPaths.h"

// The simulator's protocol core behind every port opened while it lives, the
// example plant loaded, with a plug to pull; the workers use it from their
// threads, one frame at a time.
class COnlineSimLine {
public:
    COnlineSimLine() {
        CController::SetPortFactory([this](const CCommunicationData&) {
            auto port = std::make_unique<CFakePort>([this](const std::vector<uint8_t>& request) {
                std::lock_guard lock(m_mutex);
                if (!plugged) {
                    return std::vector<uint8_t>();
                }
                if (request.size() > 3) {
                    commands.push_back(request[3]);
                }
                return sim.HandleRequest(request);
            });
            port->Open("", false);
            return port;
        });
        std::string error;
        sim.LoadDocument(testpaths::ExamplePlant(), error);
    }
    ~COnlineSimLine() { CController::SetPortFactory(nullptr); }

    // The command codes seen since the last call.
    std::vector<uint8_t> TakeCommands() {
        std::lock_guard lock(m_mutex);
        return std::exchange(commands, {});
    }
    void SetPlugged(bool on) {
        std::lock_guard lock(m_mutex);
        plugged = on;
    }

    CSimController sim;

private:
    std::mutex m_mutex;
    bool plugged = true;
    std::vector<uint8_t> commands;
};

// The example plant in a shown loop view, with the simulator on the line.
class OnlineFixture : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        // The block monitor's pictures come from the checkout.
        setenv("KESTREL_BLOCK_PICTURES",
               (testpaths::Resources() + "/Block Support/Functions").c_str(), 1);
        ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
        // As after a download: the controller holds what the document holds.
        for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
            document.GetLoop(n)->SetModified(0);
        }
        view = std::make_unique<CLoopView>(document);
        view->resize(1000, 800);
        view->SetMenusNonModal(true);
        view->show();
        QApplication::processEvents();
        settings.m_nMonitPeriod = 200;
        settings.m_nRetries = 0;
    }
    void TearDown() override { view.reset(); }

    // Lets the event loop run until the condition holds (generously long: the
    // tests never depend on how fast the worker is).
    static bool WaitUntil(const std::function<bool()>& condition) {
        for (int i = 0; i < 2000 && !condition(); ++i) {
            QTest::qWait(10);
        }
        return condition();
    }

    COnlineSimLine line;
    CUndoManager undo;
    CConfDoc document;
    CCommunicationData settings;
    std::unique_ptr<CLoopView> view;
};
