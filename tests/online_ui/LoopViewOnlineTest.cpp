// The online side of the loop view against the simulator in process: values
// on the links, the "Monitoring" box, Update, the block monitor, leaving.
#include <QMenu>
#include <QPushButton>

#include "OnlineFixture.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "comm/ui/BlockMonitorDlg.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "diagram/ui/FBStaticCtrl.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "platform/MessageBox.h"
#include "support/BoxAnswerer.h"

namespace {

class CQuietUi : public CTransferUi {
public:
    void BeginProgress(const std::string&, const std::string&, int) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
    int ShowMessage(const std::string& title, const std::string& text, unsigned) override {
        messages.push_back(title + ": " + text);
        return IDYES;
    }
    std::vector<std::string> messages;
};

// The links of the shown loop that start at a block node.
std::vector<CGraphLink*> BlockLinks(const CConfDoc& document, int loop) {
    std::vector<CGraphLink*> links;
    for (const auto& item : document.GetGraphObjects()) {
        auto* link = dynamic_cast<CGraphLink*>(item.get());
        if (link != nullptr && link->GetLoop() == loop &&
            dynamic_cast<CConfGraphNode*>(link->GetFrom()) != nullptr) {
            links.push_back(link);
        }
    }
    return links;
}

CConfGraphNode* NodeOf(const CConfDoc& document, int blockNumber) {
    for (const auto& item : document.GetGraphObjects()) {
        auto* node = dynamic_cast<CConfGraphNode*>(item.get());
        if (node != nullptr && node->FindBlock(nullptr) != nullptr &&
            node->FindBlock(nullptr)->GetBlockNumber() == blockNumber) {
            return node;
        }
    }
    return nullptr;
}

using LoopViewOnlineTest = OnlineFixture;

}  // namespace

TEST_F(LoopViewOnlineTest, MonitoringWritesTheValueOfEachLinksSourceOutput) {
    CLoopViewOnline& online = view->Online();
    std::vector<CBlockValues> pass;
    online.SetValuesListener([&](const std::vector<CBlockValues>& values) { pass = values; });
    ASSERT_TRUE(online.GoOnline(settings));
    EXPECT_TRUE(view->IsOnline());
    EXPECT_TRUE(online.CanMonitor());
    EXPECT_FALSE(online.CanUpdate());
    online.OnMonitoring();
    EXPECT_TRUE(online.IsMonitorChecked());
    EXPECT_TRUE(view->IsMonitoring());  // editing follows: Delete and Duplicate are off
    ASSERT_TRUE(WaitUntil([&] { return !pass.empty(); }));

    // The blocks come in drawing order, each with one value per output.
    const std::vector<CMonitoredBlock> blocks = online.MonitoredBlocks();
    ASSERT_EQ(pass.size(), blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(pass[i].number, blocks[i].number);
    }
    const std::vector<CGraphLink*> links = BlockLinks(document, 1);
    ASSERT_FALSE(links.empty());
    int checked = 0;
    for (CGraphLink* link : links) {
        const CBlock* source = static_cast<CConfGraphNode*>(link->GetFrom())->FindBlock(view.get());
        ASSERT_NE(source, nullptr);
        auto read = std::find_if(pass.begin(), pass.end(), [&](const CBlockValues& v) {
            return v.number == source->GetBlockNumber();
        });
        ASSERT_NE(read, pass.end());
        const int address = std::stoi(link->GetOutPortText());
        for (int o = 0; o < source->GetOutputCount(); ++o) {
            if (source->GetOutputAddress(o) == address) {
                EXPECT_EQ(CLoopViewOnline::ValueOf(*link), read->values.at(o))
                    << "link from output " << address << " of BLK-" << source->GetBlockNumber();
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, static_cast<int>(links.size()));

    // Back online: the port labels return.
    online.OnMonitoring();
    EXPECT_FALSE(view->IsMonitoring());
    for (CGraphLink* link : links) {
        EXPECT_EQ(link->GetOutLabel()->GetText().find('='), std::string::npos);
    }
    online.LeaveOnlineMode();
    EXPECT_FALSE(view->IsOnline());
}

TEST_F(LoopViewOnlineTest, LostLineShowsTheMonitoringBoxAndRetryGoesOnMonitoring) {
    CLoopViewOnline& online = view->Online();
    int passes = 0;
    online.SetValuesListener([&](const std::vector<CBlockValues>&) { ++passes; });
    ASSERT_TRUE(online.GoOnline(settings));
    online.OnMonitoring();
    ASSERT_TRUE(WaitUntil([&] { return passes > 0; }));
    {
        CBoxAnswerer boxes;
        boxes.Answer("Monitoring:", CLoopViewOnline::kRetryButton);
        line.SetPlugged(false);
        ASSERT_TRUE(WaitUntil([&] { return !boxes.seen.empty(); }));
        line.SetPlugged(true);
        EXPECT_NE(boxes.seen[0].find("Monitoring: "), std::string::npos);
        const int before = passes;
        ASSERT_TRUE(WaitUntil([&] { return passes > before; }));
    }
    EXPECT_TRUE(online.IsMonitoring());

    // "Go Offline" this time: the view leaves online mode, nothing runs on.
    CBoxAnswerer boxes;
    boxes.Answer("Monitoring:", CLoopViewOnline::kGoOfflineButton);
    line.SetPlugged(false);
    ASSERT_TRUE(WaitUntil([&] { return !view->IsOnline(); }));
    EXPECT_FALSE(online.GetSession().HasWorker());
    EXPECT_FALSE(view->IsMonitoring());
    for (CGraphLink* link : BlockLinks(document, 1)) {
        EXPECT_EQ(link->GetOutLabel()->GetText().find('='), std::string::npos);
    }
}

TEST_F(LoopViewOnlineTest, UpdateSendsOnlyTheChangedBlockAndMonitoringStopsOnAChange) {
    CLoopViewOnline& online = view->Online();
    CQuietUi ui;
    bool sent = false;
    online.SetSendHandler([&](CConfController& controller, bool monitoring) {
        sent = SendChangedLoops(document, controller, monitoring, ui);
        return sent;
    });
    ASSERT_TRUE(online.GoOnline(settings));
    online.OnMonitoring();
    ASSERT_TRUE(online.IsMonitoring());

    // A gain changed as the parameter dialog changes it.
    CBlock* pid = document.FindBlockByNumber(39);
    ASSERT_NE(pid, nullptr);
    ASSERT_TRUE(pid->SetParamValue(PARAM_ADJ, 0, "2.25"));
    pid->SetChanged(true);
    document.GetLoop(1)->SetModified(CLoop::MODIFIED_REPLACED);
    EXPECT_FALSE(online.CanMonitor());
    online.CheckMonitoring();
    EXPECT_FALSE(online.IsMonitoring());
    EXPECT_TRUE(online.CanUpdate());

    line.TakeCommands();
    online.RequestSendToDevice();
    ASSERT_TRUE(WaitUntil([&] { return sent; }));
    // The block's two writes; after them only the worker's own probes follow.
    const std::vector<uint8_t> commands = line.TakeCommands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[0], 0x30);
    EXPECT_EQ(commands[1], 0x2B);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), 0x4D), 0);
    EXPECT_EQ(line.sim.GetLoop(1).GetBlock(3)->GetParamText(PARAM_ADJ, 0), "2.25");
    EXPECT_FALSE(document.IsAnyLoopModified());
    EXPECT_EQ(online.GetSession().GetState(), COnlineSession::STATE_ONLINE);
    EXPECT_TRUE(online.CanMonitor());
}

TEST_F(LoopViewOnlineTest, BlockMonitorShowsSourceValuesAtTheInputsAndNLWhereNothingIsLinked) {
    CLoopViewOnline& online = view->Online();
    std::vector<std::string> terminals;
    bool shown = false;
    online.SetBlockMonitorHandler([&](CBlock& block, int loopNumber) {
        CBlockMonitorDlg dialog(settings, document, block, loopNumber, view.get());
        dialog.show();
        EXPECT_EQ(dialog.windowTitle().toStdString(),
                  " BLK-039 - APID - " + std::string(GetBlockTypeInfo(block.GetTypeIndex())->name));
        EXPECT_EQ(dialog.GetOnlineButton()->text(), "Go Offline");
        CFBStaticCtrl* picture = dialog.GetPicture();
        shown = WaitUntil([&] { return dialog.GetWorker().GetCycleCount() > 0; });
        QApplication::processEvents();
        for (int i = 0; i < picture->GetDescriptor().GetCount(); ++i) {
            terminals.push_back(picture->GetTerminalText(i));
        }
        const CBlockMonitorWorker::Values values = dialog.GetWorker().GetValues();
        // LIA and LIB are linked (233, 1), LIC..LIE are not.
        ASSERT_EQ(values.inputs.size(), 5u);
        EXPECT_NE(values.inputs[0], "NL");
        EXPECT_NE(values.inputs[1], "NL");
        EXPECT_EQ(values.inputs[2], "NL");
        EXPECT_EQ(values.inputs[4], "NL");
        EXPECT_EQ(values.outputs.size(), 2u);
        QTest::mouseClick(dialog.GetOnlineButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.GetOnlineButton()->text(), "Go Online");
        dialog.reject();
        EXPECT_FALSE(dialog.GetWorker().HasWorker());
    });
    ASSERT_TRUE(online.GoOnline(settings));
    CConfGraphNode* node = NodeOf(document, 39);
    ASSERT_NE(node, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, [&] {
        const CPoint centre = view->LPtoDP(node->GetRect().CenterPoint());
        return QPoint(centre.x, centre.y);
    }());
    ASSERT_TRUE(online.CanMonitorBlock());
    online.RequestBlockMonitor();
    ASSERT_TRUE(WaitUntil([&] { return shown; }));
    // Linked inputs show their source's value, the others "NL".
    ASSERT_FALSE(terminals.empty());
    EXPECT_NE(std::find(terminals.begin(), terminals.end(), "C=NL"), terminals.end())
        << testing::PrintToString(terminals);
    // The view's worker takes its line back and goes on.
    EXPECT_TRUE(online.IsOnline());
    EXPECT_TRUE(online.GetSession().HasWorker());
}

TEST_F(LoopViewOnlineTest, ClosingTheViewWhileMonitoringLeavesNothingRunning) {
    int passes = 0;
    view->Online().SetValuesListener([&](const std::vector<CBlockValues>&) { ++passes; });
    ASSERT_TRUE(view->Online().GoOnline(settings));
    view->Online().OnMonitoring();
    ASSERT_TRUE(WaitUntil([&] { return passes > 0; }));
    view.reset();
    // Events the worker posted before it ended go nowhere.
    QApplication::processEvents();
    for (const auto& item : document.GetGraphObjects()) {
        if (auto* link = dynamic_cast<CGraphLink*>(item.get())) {
            EXPECT_FALSE(link->GetOnline());
        }
    }
}

TEST_F(LoopViewOnlineTest, SavingTheDocumentTakesTheViewOffline) {
    ASSERT_TRUE(view->Online().GoOnline(settings));
    view->Online().OnMonitoring();
    document.UpdateAllViews(nullptr, CLoopEditor::HINT_LEAVE_ONLINE, nullptr);
    EXPECT_FALSE(view->IsOnline());
    EXPECT_FALSE(view->IsMonitoring());
}

TEST_F(LoopViewOnlineTest, AMonitoredLinkGoesOnATrendFromItsMenu) {
    CLoopViewOnline& online = view->Online();
    int trendBlock = 0;
    int trendPosition = -1;
    std::string trendName;
    online.SetTrendHandler([&](int block, int position, const std::string& name) {
        trendBlock = block;
        trendPosition = position;
        trendName = name;
    });
    ASSERT_TRUE(online.GoOnline(settings));
    online.OnMonitoring();
    // The link from APID 039's first output into BLK-040.
    CGraphLink* link = nullptr;
    for (CGraphLink* candidate : BlockLinks(document, 1)) {
        if (candidate->GetOutPortText() == "47") {
            link = candidate;
        }
    }
    ASSERT_NE(link, nullptr);
    QPoint onRoute;
    const CDrawPolyline* route = link->GetPath();
    for (int i = 1; i < route->GetPointCount(); ++i) {
        const CPoint a = route->GetPoint(i - 1);
        const CPoint b = route->GetPoint(i);
        const CPoint middle((a.x + b.x) / 2, (a.y + b.y) / 2);
        if (view->ObjectAt(middle) == link) {
            const CPoint device = view->LPtoDP(middle);
            onRoute = QPoint(device.x, device.y);
        }
    }
    ASSERT_FALSE(onRoute.isNull());
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, onRoute);
    QMenu* menu = view->GetLastMenu();
    ASSERT_NE(menu, nullptr);
    QAction* trend = nullptr;
    for (QAction* action : menu->findChildren<QAction*>()) {
        if (action->text() == "Add to Trend") {
            trend = action;
        }
    }
    ASSERT_NE(trend, nullptr);
    trend->trigger();
    menu->hide();
    EXPECT_EQ(trendBlock, 39);
    EXPECT_EQ(trendPosition, 0);
    EXPECT_EQ(trendName.substr(0, 8), "BLK-039 ");

    // Not monitoring: the menu has no such entry.
    online.OnMonitoring();
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, onRoute);
    for (QAction* action : view->GetLastMenu()->findChildren<QAction*>()) {
        EXPECT_NE(action->text(), "Add to Trend");
    }
    view->GetLastMenu()->hide();
}

TEST_F(LoopViewOnlineTest, SavingWhileMonitoringStoresThePortLabelsNotTheValues) {
    int passes = 0;
    view->Online().SetValuesListener([&](const std::vector<CBlockValues>&) { ++passes; });
    ASSERT_TRUE(view->Online().GoOnline(settings));
    view->Online().OnMonitoring();
    ASSERT_TRUE(WaitUntil([&] { return passes > 0; }));
    const std::string path = testing::TempDir() + "/kestrel-online-save.vxp";
    ASSERT_TRUE(document.OnSaveDocument(path));
    EXPECT_FALSE(view->IsOnline());
    CConfDoc stored;
    ASSERT_TRUE(stored.OnOpenDocument(path));
    int links = 0;
    for (CGraphLink* link : BlockLinks(stored, 1)) {
        ++links;
        EXPECT_EQ(link->GetOutLabel()->GetText().find('='), std::string::npos);
        EXPECT_EQ(link->GetOutLabel()->GetRuntimeClass()->m_lpszClassName,
                  std::string("CDrawText"));
    }
    EXPECT_GT(links, 0);
}
