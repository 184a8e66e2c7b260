// The transfer sequences against the simulator's protocol core, in process.
#include <gtest/gtest.h>

#include <filesystem>

#include "SimController.h"
#include "comm/ConfController.h"
#include "comm/FakePort.h"
#include "comm/TransferUi.h"
#include "comm/Transfers.h"
#include "document/ConfDoc.h"
#include "model/BlockTypeTable.h"
#include "platform/MessageBox.h"

namespace {

// Records what the user would see and answers questions with a fixed answer.
class CScriptedUi : public CTransferUi {
public:
    explicit CScriptedUi(int answer = IDYES) : m_nAnswer(answer) {}
    void BeginProgress(const std::string& title, const std::string&, int maximum) override {
        events.push_back("begin " + title + " " + std::to_string(maximum));
    }
    void SetProgress(int position) override {
        events.push_back("progress " + std::to_string(position));
    }
    void EndProgress() override { events.push_back("end"); }
    int ShowMessage(const std::string& title, const std::string& text, unsigned) override {
        messages.push_back(title + ": " + text);
        return m_nAnswer;
    }
    std::vector<std::string> events;
    std::vector<std::string> messages;

private:
    int m_nAnswer;
};

// A simulated controller behind every controller opened while it lives.
class SimLine {
public:
    SimLine()
        : m_scope([this](const std::vector<uint8_t>& request) {
              requests.push_back(request[3]);
              return sim.HandleRequest(request);
          }) {}
    CSimController sim;
    std::vector<uint8_t> requests;  // command codes, in order

private:
    CFakePortScope m_scope;
};

std::unique_ptr<CConfDoc> Plant() {
    auto doc = std::make_unique<CConfDoc>();
    doc->OnNewDocument();
    doc->CreateDefaultLoops();
    doc->SelectLoop(1, false);
    doc->AddBlock(CBlock::Create(0, 1));
    auto pid = CBlock::Create(FindBlockTypeByMnemonic("PID"), 43);
    pid->SetParamValue(0, 1, "1");
    doc->AddBlock(std::move(pid));
    doc->SelectLoop(5, false);
    doc->AddBlock(CBlock::Create(FindBlockTypeByMnemonic("K"), 118));
    doc->SetLoopName(5, "PLANT");
    return doc;
}

TEST(Transfers, DownloadThenUploadGivesTheSameLoops) {
    SimLine line;
    auto doc = Plant();
    CScriptedUi ui;
    ASSERT_TRUE(DownloadConfiguration(*doc, CCommunicationData(), ui));
    EXPECT_EQ(ui.messages.back(), "Download: Configuration downloaded with success.");
    EXPECT_EQ(ui.events.front(), "begin Download 5");
    EXPECT_FALSE(doc->GetLoop(1)->IsModified());
    EXPECT_EQ(line.requests[0], 0x4D);

    const std::string workDir = testing::TempDir();
    UploadResult result;
    CScriptedUi uploadUi;
    ASSERT_TRUE(UploadConfiguration(CCommunicationData(), workDir, uploadUi, result));
    EXPECT_EQ(result.configurationName, "PLANT");
    ASSERT_EQ(result.loops.size(), 5u);
    CConfDoc uploaded;
    uploaded.OnNewDocument();
    ApplyUploadedLoops(uploaded, result);
    EXPECT_EQ(uploaded.GetConfigurationName(), "PLANT");
    EXPECT_TRUE(uploaded.IsModified());
    ASSERT_EQ(uploaded.GetBlockCount(1), 2);
    EXPECT_EQ(uploaded.GetBlockAt(1, 1)->GetLinkValue(1), 1);
    EXPECT_EQ(uploaded.GetBlockLoop(118), 5);
    EXPECT_EQ(uploaded.GetLoopName(1), "LOOP_1");
    EXPECT_FALSE(uploaded.IsAnyLoopModified());
}

TEST(Transfers, LoopWithoutNameStopsBeforeAnyMessage) {
    SimLine line;
    auto doc = Plant();
    doc->GetLoop(3)->SetName("");
    CScriptedUi ui;
    EXPECT_FALSE(DownloadConfiguration(*doc, CCommunicationData(), ui));
    EXPECT_TRUE(line.requests.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("some LOOP is with no name"), std::string::npos);
}

TEST(Transfers, DownloadFailureAppendsTheProtocolText) {
    SimLine line;
    line.sim.GetFaults().m_nErrorSubCode = 3;
    auto doc = Plant();
    CScriptedUi ui;
    EXPECT_FALSE(DownloadConfiguration(*doc, CCommunicationData(), ui));
    EXPECT_EQ(
        ui.messages.back(),
        "Download: Problem to download this configuration.\nVarex without a communication Block.");
}

TEST(Transfers, UploadTakesDrawingsFromAMatchingFile) {
    SimLine line;
    auto doc = Plant();
    doc->GetBlockAt(0, 1)->SetUserTag(0, "LT-101");
    CScriptedUi quiet;
    ASSERT_TRUE(DownloadConfiguration(*doc, CCommunicationData(), quiet));
    const std::string workDir = testing::TempDir() + "/upload-match";
    std::filesystem::create_directories(workDir);
    ASSERT_TRUE(doc->OnSaveDocument(workDir + "/PLANT.vxp"));

    UploadResult result;
    CScriptedUi yes(IDYES);
    ASSERT_TRUE(UploadConfiguration(CCommunicationData(), workDir, yes, result));
    EXPECT_TRUE(result.drawingsFromDisk);
    EXPECT_EQ(result.matchingFile, workDir + "/PLANT.vxp");
    EXPECT_NE(yes.messages.back().find("bring the graphic information"), std::string::npos);
    CConfDoc target;
    ASSERT_TRUE(target.OnOpenDocument(result.matchingFile));
    ApplyUploadedLoops(target, result);
    EXPECT_EQ(target.GetBlockAt(0, 1)->GetUserTag(0), "LT-101");

    UploadResult without;
    CScriptedUi no(IDNO);
    ASSERT_TRUE(UploadConfiguration(CCommunicationData(), workDir, no, without));
    EXPECT_FALSE(without.drawingsFromDisk);
    CConfDoc fresh;
    fresh.OnNewDocument();
    ApplyUploadedLoops(fresh, without);
    EXPECT_EQ(fresh.GetBlockAt(0, 1)->GetUserTag(0), "AI001.OUT001");
    std::filesystem::remove_all(workDir);
}

TEST(Transfers, SendChangedLoopsSendsOnlyWhatChanged) {
    SimLine line;
    auto doc = Plant();
    CScriptedUi ui;
    ASSERT_TRUE(DownloadConfiguration(*doc, CCommunicationData(), ui));
    CConfController controller;
    ASSERT_TRUE(controller.Open(CCommunicationData(), true));

    // Nothing changed: no question, nothing sent.
    line.requests.clear();
    CScriptedUi unchanged;
    EXPECT_TRUE(SendChangedLoops(*doc, controller, false, unchanged));
    EXPECT_TRUE(unchanged.messages.empty());
    EXPECT_TRUE(line.requests.empty());

    // A new name only: the two name commands and nothing else.
    doc->GetLoop(2)->SetName("LEVEL");
    CScriptedUi rename;
    ASSERT_TRUE(SendChangedLoops(*doc, controller, false, rename));
    EXPECT_EQ(rename.messages.front(),
              "Online Status: The LOOPs (2) must be replaced.\nDo you want to continue?");
    EXPECT_EQ(line.requests, (std::vector<uint8_t>{0x93, 0x88}));
    EXPECT_EQ(line.sim.GetLoop(2).GetName(), "LEVEL");

    // A changed parameter: the block alone ("0" and "+").
    line.requests.clear();
    CBlock& pid = *doc->GetBlockAt(1, 1);
    ASSERT_TRUE(pid.SetParamValue(2, 0, "2.5"));
    pid.SetChanged(true);
    doc->GetLoop(1)->SetModified(CLoop::MODIFIED_REPLACED);
    ASSERT_TRUE(SendChangedLoops(*doc, controller, false, rename));
    EXPECT_EQ(line.requests, (std::vector<uint8_t>{0x30, 0x2B}));
    EXPECT_FALSE(pid.IsChanged());
    EXPECT_EQ(line.sim.GetLoop(1).GetBlock(1)->GetParamText(2, 0), "2.5");

    // A block added: the whole loop is replaced and sent.
    line.requests.clear();
    doc->SelectLoop(1, false);
    doc->AddBlock(CBlock::Create(0, 2));
    CScriptedUi no(IDNO);
    EXPECT_TRUE(SendChangedLoops(*doc, controller, false, no));
    EXPECT_TRUE(line.requests.empty());
    ASSERT_TRUE(SendChangedLoops(*doc, controller, false, rename));
    EXPECT_EQ(line.requests.front(), 0x4D);
    EXPECT_EQ(line.sim.GetLoop(1).GetBlockCount(), 3);
    EXPECT_FALSE(doc->IsAnyLoopModified());
}

}  // namespace
