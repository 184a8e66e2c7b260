#include <gtest/gtest.h>

#include <atomic>

#include "comm/DeviceLookup.h"
#include "comm/FakePort.h"
#include "model/BlockTypeTable.h"
#include "model/Configuration.h"
#include "platform/PostedMessage.h"

namespace {

// Controllers at the given addresses answer version and LOOP G name.
CFakePort::Responder Line(std::map<int, std::string> names, int version = 410) {
    return [names, version](const std::vector<uint8_t>& r) -> std::vector<uint8_t> {
        auto it = names.find(r[1]);
        if (it == names.end()) {
            return {};
        }
        CFrameBuilder reply(0x20, r[1], r[3] == 0xC7 ? 0x27 : 0xDC, r[5], r[6], r[7]);
        if (r[3] == 0xC7) {
            const uint8_t value[] = {static_cast<uint8_t>(version),
                                     static_cast<uint8_t>(version >> 8)};
            reply.AppendPlain(value, 2);
        } else {
            std::string name = it->second;
            name.resize(8, ' ');
            reply.AppendPlain(reinterpret_cast<const uint8_t*>(name.data()), 8);
        }
        return reply.Finish();
    };
}

TEST(DeviceLookup, ProbeResultRules) {
    const DeviceProbeResult plus = DeviceProbeResult::FromAnswer("4.10;PLANT;");
    EXPECT_TRUE(plus.found);
    EXPECT_EQ(plus.model, "Varex Plus");
    EXPECT_TRUE(plus.CanUpload());
    const DeviceProbeResult old = DeviceProbeResult::FromAnswer("2.30;NO CONFG;");
    EXPECT_EQ(old.model, "Varex");
    EXPECT_FALSE(old.CanUpload());
    EXPECT_FALSE(DeviceProbeResult::FromAnswer(";PLANT;").found);

    CConfiguration config;
    config.CreateDefaultLoops();
    EXPECT_FALSE(plus.CanDownload(config));  // nothing to send
    config.AddBlock(CBlock::Create(kTypeIndexDIT, 122));
    EXPECT_TRUE(plus.CanDownload(config));
    EXPECT_FALSE(DeviceProbeResult::FromAnswer("3.90;PLANT;").CanDownload(config));  // DIT needs 4
}

TEST(DeviceLookup, SingleProbe) {
    CFakePortScope scope(Line({{3, "PLANT"}, {4, ""}}));
    CCommunicationData settings;
    const DeviceProbeResult found = ProbeDeviceAt(settings, 3);
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.name, "PLANT");
    EXPECT_EQ(ProbeDeviceAt(settings, 4).name, "NO CONFG");
    EXPECT_FALSE(ProbeDeviceAt(settings, 5).found);
}

TEST(DeviceLookup, ScanListsWhatAnswersAndPostsProgress) {
    std::vector<long> probed;
    std::atomic<int> finished{0};
    std::mutex mutex;
    MessagePoster previous = SetMessagePoster([&](const std::string& name, long w, long) {
        std::lock_guard lock(mutex);
        if (name == msg::kUpdatePbPos) {
            probed.push_back(w);
        } else if (name == msg::kDeviceLookFinished) {
            ++finished;
        }
    });
    CCommunicationData settings;
    settings.m_nRetries = 0;
    CFakePortScope scope(Line({{3, "PLANT"}}));
    CDeviceScan scan(settings, 2, 4);
    ASSERT_TRUE(scan.Start());
    scan.Finish();
    SetMessagePoster(previous);
    EXPECT_EQ(scan.GetFound(), std::vector<std::string>{"3;4.10;PLANT;"});
    EXPECT_EQ(probed, (std::vector<long>{2, 3, 4}));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(scan.WasCancelled());
}

TEST(DeviceLookup, CancelEndsTheScanWithoutFinishMessage) {
    std::atomic<int> finished{0};
    MessagePoster previous = SetMessagePoster([&](const std::string& name, long, long) {
        if (name == msg::kDeviceLookFinished) {
            ++finished;
        }
    });
    CCommunicationData settings;
    settings.m_nRetries = 0;
    CFakePortScope scope(Line({{2, "A"}, {3, "B"}}));
    CDeviceScan scan(settings, 2, 30);
    ASSERT_TRUE(scan.Start());
    scan.Cancel();
    scan.Finish();
    SetMessagePoster(previous);
    EXPECT_TRUE(scan.WasCancelled());
    EXPECT_LE(scan.GetFound().size(), 1u);  // at most the probe under way when cancelled
    EXPECT_EQ(finished, 0);
}

}  // namespace
