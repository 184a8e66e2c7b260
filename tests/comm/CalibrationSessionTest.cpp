// The calibration operations against the simulated controller in process: the
// table bytes on the line, the records they leave, and a controller that
// stops answering.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimController.h"
#include "comm/CalibrationSession.h"
#include "comm/FakePort.h"
#include "comm/FrameCodec.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The simulator behind the fake ports of every controller opened; it stops
// answering after answerRequests requests.
class SimLine {
public:
    SimLine()
        : m_scope([this](const Bytes& request) {
              ++requests;
              written.push_back(request);
              silent = silent || requests > answerRequests || (goesSilent && goesSilent(request));
              return silent ? Bytes() : sim.HandleRequest(request);
          }) {}
    // The frames written with a command code.
    std::vector<Bytes> Sent(uint8_t command) const {
        std::vector<Bytes> frames;
        for (const Bytes& frame : written) {
            if (frame.size() > 3 && frame[3] == command) {
                frames.push_back(frame);
            }
        }
        return frames;
    }
    CSimController sim;
    int requests = 0;
    int answerRequests = 1 << 30;
    std::vector<Bytes> written;  // every request, as on the line
    std::function<bool(const Bytes&)> goesSilent;
    bool silent = false;

private:
    CFakePortScope m_scope;
};

CCommunicationData Quick() {
    CCommunicationData data;
    data.m_nTimeout = 1;
    data.m_nRetries = 0;
    return data;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

TEST(CalibrationSession, TablesGoOnTheLineWhole) {
    // A value whose low byte is 0xFE in the first cell: on the line it is
    // followed by a stuffing 0x00, and the controller still gets every byte.
    for (const int mode : {CCalibrationTable::kInputManual, CCalibrationTable::kCurrent4To20,
                           CCalibrationTable::kVoltage1To5}) {
        SimLine line;
        CCalibrationSession session(Quick(), 2);
        CCalibrationTable table(mode);
        ASSERT_TRUE(session.ReadTable(table));
        table.SetValue(0, 0, mode == 1 ? 0x00FE : 0x0FFE);
        CCalibrationRecord record;
        ASSERT_TRUE(session.WriteTable(table, record)) << mode;

        const std::vector<Bytes> frames = line.Sent(0x56);
        ASSERT_EQ(frames.size(), 1u);
        const Bytes& frame = frames[0];
        const Bytes expected = table.ToBytes();
        EXPECT_EQ(frame[6], table.GetKind());
        EXPECT_EQ(frame[4], 5 + expected.size());
        EXPECT_EQ(frame[8], 0xFE);
        EXPECT_EQ(frame[9], 0x00);
        const Bytes logical = frame::Unstuff(frame.data(), frame.size());
        EXPECT_EQ(Bytes(logical.begin() + 8, logical.end() - 2), expected);
        EXPECT_EQ(line.sim.GetCalibration(table.GetKind()), expected);

        // As found: the controller's defaults; as left: what it holds now.
        EXPECT_EQ(record.m_found.GetValue(0, 0),
                  CCalibrationTable::NominalValue(mode == 3 || mode == 5 ? mode : 1, 0));
        EXPECT_EQ(record.m_left, table);
        EXPECT_EQ(record.m_nAddress, 2);
        EXPECT_TRUE(CCalibrationRecord::IsDate(record.m_strDate));
    }
}

TEST(CalibrationSession, AutomaticCalibrationSendsMaskAndRow) {
    SimLine line;
    CCalibrationSession session(Quick(), 2);
    session.Probe();
    CCalibrationTable table(CCalibrationTable::kInputAuto);
    CCalibrationRecord record;
    ASSERT_TRUE(session.Calibrate(0x05, 2, table, record));
    const std::vector<Bytes> frames = line.Sent(0x56);
    ASSERT_EQ(frames.size(), 1u);
    // Sent as kind 1 with the two data bytes.
    EXPECT_EQ(frames[0][6], 1);
    EXPECT_EQ(frames[0][4], 7);
    EXPECT_EQ(Bytes(frames[0].begin() + 8, frames[0].begin() + 10), (Bytes{0x05, 0x02}));
    for (int column = 0; column < 8; ++column) {
        for (int row = 0; row < 4; ++row) {
            const int nominal = CCalibrationTable::NominalValue(0, row);
            EXPECT_EQ(record.m_found.GetValue(column, row), nominal);
            if (row == 2 && (column == 0 || column == 2)) {
                EXPECT_NEAR(table.GetValue(column, row), nominal, 2);
            } else {
                EXPECT_EQ(table.GetValue(column, row), nominal) << column << "/" << row;
            }
        }
    }
    EXPECT_EQ(record.m_left, table);
    EXPECT_EQ(record.m_strModel, "Varex Plus");
    EXPECT_EQ(record.m_strConfiguration, "");  // the controller holds none

    EXPECT_FALSE(session.Calibrate(0, 2, table, record));
    EXPECT_FALSE(session.Calibrate(0x01, 4, table, record));
    EXPECT_EQ(line.Sent(0x56).size(), 1u);
}

TEST(CalibrationSession, AControllerThatStopsAnsweringChangesNothing) {
    SimLine line;
    CCalibrationSession session(Quick(), 2);
    CCalibrationTable table(CCalibrationTable::kCurrent0To20);
    table.SetValue(0, 0, 123);
    line.answerRequests = 0;
    EXPECT_FALSE(session.ReadTable(table));
    EXPECT_EQ(table.GetValue(0, 0), 123);
    EXPECT_EQ(session.GetErrorText(), CController::ErrorText(CController::ERR_TIMEOUT));

    // Gone after the table was read as found: nothing is reported written.
    line.answerRequests = line.requests + 1;
    CCalibrationRecord record;
    EXPECT_FALSE(session.WriteTable(table, record));
    EXPECT_EQ(session.GetErrorText(), CController::ErrorText(CController::ERR_TIMEOUT));
    EXPECT_TRUE(record.m_strDate.empty());
}

TEST(CalibrationSession, DefaultConfigurationIsAcceptedWholeOrReportedFailed) {
    CCalConfigFile::Loops loops;
    std::string error;
    ASSERT_TRUE(CCalConfigFile::ReadFile(testpaths::Resources() + "/CONFIG.CAL", loops, error));
    {
        SimLine line;
        CCalibrationSession session(Quick(), 2);
        std::vector<int> progress;
        ASSERT_TRUE(session.SendConfiguration(loops, [&](int n) { progress.push_back(n); }))
            << session.GetErrorText();
        EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5}));
        EXPECT_EQ(line.sim.GetLoop(1).GetBlockCount(), 9);
        EXPECT_EQ(line.sim.GetLoop(2).GetName(), "CAL_VO");
        EXPECT_EQ(line.sim.GetLoop(5).GetName(), "CALIB");
        EXPECT_EQ(session.GetDevice().name, "CALIB");
    }
    // Loops 1 and 2 accepted, then silence: a failure, not a success.
    SimLine line;
    line.goesSilent = [](const Bytes& request) { return request[3] == 0x59 && request[5] == 3; };
    CCalibrationSession session(Quick(), 2);
    EXPECT_FALSE(session.SendConfiguration(loops));
    EXPECT_EQ(session.GetErrorText(), CController::ErrorText(CController::ERR_TIMEOUT));
    EXPECT_EQ(line.sim.GetLoop(2).GetName(), "CAL_VO");
}

TEST(CalibrationRecord, RecordsAreAppendedNeverRewritten) {
    CTempFolder folder;
    CCalibrationTable found(CCalibrationTable::kCurrent4To20);
    CCalibrationTable left = found;
    found.SetValue(2, 0, 4011);
    left.SetValue(2, 0, 4001);
    CCalibrationRecord record(found, left);
    record.m_strDate = "2026-03-01";
    record.m_strTime = "09:15:00.000";
    record.m_nAddress = 7;
    record.m_strModel = "Varex Plus";
    record.m_strVersion = "4.10";
    record.m_strConfiguration = "PLANT,2";
    std::string error;
    ASSERT_TRUE(record.AppendTo(folder.Path().string(), error)) << error;
    const std::string path = folder.Path().string() + "/calibration/PLANT,2.csv";
    const std::string first = ReadText(path);
    EXPECT_EQ(first.rfind(std::string(CCalibrationRecord::kHeader) + "\n", 0), 0u);
    EXPECT_NE(first.find("2026-03-01,09:15:00.000,7,Varex Plus,4.10,\"PLANT,2\",2,3,C.O. 3,0%,"
                         "4.000,4.011,4.001\n"),
              std::string::npos)
        << first;

    // The user's own lines stay, and are skipped when reading.
    { std::ofstream(path, std::ios::app) << "checked by J.,,,\n"; }
    record.m_strTime = "10:00:00.000";
    record.m_nAddress = 8;
    ASSERT_TRUE(record.AppendTo(folder.Path().string(), error));
    const std::string second = ReadText(path);
    EXPECT_EQ(second.rfind(first + "checked by J.,,,\n", 0), 0u);
    EXPECT_EQ(second.find(CCalibrationRecord::kHeader, 1), std::string::npos);

    std::vector<CCalibrationRecord> records;
    ASSERT_TRUE(CCalibrationRecord::ReadFile(path, records, error));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].m_found, found);
    EXPECT_EQ(records[0].m_left, left);
    EXPECT_EQ(records[0].m_strConfiguration, "PLANT,2");
    EXPECT_EQ(records[1].m_nAddress, 8);

    EXPECT_EQ(CCalibrationRecord::FindRecords(folder.Path().string(), 7, "").size(), 1u);
    EXPECT_EQ(CCalibrationRecord::FindRecords(folder.Path().string(), 8, "2026-03-01").size(), 1u);
    EXPECT_TRUE(CCalibrationRecord::FindRecords(folder.Path().string(), 8, "2026-03-02").empty());
}

TEST(CalibrationRecord, FileNamesComeFromTheConfigurationOrTheAddress) {
    CCalibrationRecord record;
    record.m_nAddress = 12;
    EXPECT_EQ(record.FileName(), "address-12.csv");
    record.m_strConfiguration = "../A/B*";
    EXPECT_EQ(record.FileName(), "___A_B_.csv");
    EXPECT_TRUE(CCalibrationRecord::IsDate("2026-12-10"));
    EXPECT_FALSE(CCalibrationRecord::IsDate("2026-13-10"));
    EXPECT_FALSE(CCalibrationRecord::IsDate("10.12.2026"));
}
