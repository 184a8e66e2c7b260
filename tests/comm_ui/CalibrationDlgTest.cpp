// The calibration dialog driven with the mouse and keyboard against the
// simulated controller.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimController.h"
#include "comm/FakePort.h"
#include "comm/FrameCodec.h"
#include "comm/ui/CalibrationDlg.h"
#include "platform/FileIo.h"
#include "platform/MessageBox.h"
#include "support/ModalAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class CalibrationDlgTest : public testing::Test {
protected:
    CalibrationDlgTest()
        : m_scope([this](const Bytes& request) {
              written.push_back(request);
              return silent ? Bytes() : sim.HandleRequest(request);
          }) {
        sim.SetNoConfigName(true);
        SetMessageBoxHandler([this](const std::string& text, unsigned) {
            const std::string shown = GetMessageBoxTitle() + ": " + text;
            boxes.push_back(shown);
            return shown.find("CONFIG ?") != std::string::npos ? answerToQuestion : IDOK;
        });
    }
    ~CalibrationDlgTest() override { SetMessageBoxHandler(nullptr); }

    std::unique_ptr<CCalibrationDlg> Open(const std::string& configFile = "") {
        CCommunicationData data;
        data.m_nTimeout = 1;
        data.m_nRetries = 0;
        auto dialog = std::make_unique<CCalibrationDlg>(
            data, configFile.empty() ? testpaths::Resources() + "/CONFIG.CAL" : configFile,
            work.Path().string());
        dialog->resize(720, 520);
        dialog->show();
        return dialog;
    }
    static void Click(QAbstractButton* button) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void ClickHeader(CListCtrlEx& grid, int column) {
        QHeaderView* header = grid.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    static QPoint CellCenter(CListCtrlEx& grid, int row, int column) {
        return grid.visualRect(grid.model()->index(row, column)).center();
    }
    // Double-clicks a cell and types into its editor; the editor stays open
    // when the value is refused.
    static void Type(CListCtrlEx& grid, int row, int column, const QString& text) {
        if (grid.GetEditor() == nullptr) {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                              CellCenter(grid, row, column));
            QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                               CellCenter(grid, row, column));
        }
        auto* editor = qobject_cast<QLineEdit*>(grid.GetEditor());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    int Sent(uint8_t command) const {
        return static_cast<int>(std::count_if(written.begin(), written.end(), [command](auto& f) {
            return f.size() > 3 && f[3] == command;
        }));
    }
    bool Shown(const std::string& text) const {
        return std::any_of(boxes.begin(), boxes.end(),
                           [&text](const std::string& box) { return box == text; });
    }

    CSimController sim;
    std::vector<Bytes> written;
    std::vector<std::string> boxes;
    bool silent = false;
    int answerToQuestion = IDYES;
    CTempFolder work;

private:
    CFakePortScope m_scope;
};

}  // namespace

TEST_F(CalibrationDlgTest, CurrentOutputsOfAControllerWithoutConfiguration) {
    auto dialog = Open();
    CListCtrlEx& grid = *dialog->GetGrid();
    EXPECT_FALSE(dialog->GetModeButton(3)->isEnabled());
    Click(dialog->GetLookButton());
    EXPECT_EQ(dialog->GetDeviceField(CCalibrationDlg::kFieldModel), "Varex Plus");
    EXPECT_EQ(dialog->GetDeviceField(CCalibrationDlg::kFieldVersion), "4.10");
    EXPECT_EQ(dialog->GetDeviceField(CCalibrationDlg::kFieldConfiguration), "NO CONFG");

    // "NO CONFG": the default configuration goes without the question.
    Click(dialog->GetModeButton(3));
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"Download: Configuration downloaded with success."}));
    EXPECT_EQ(sim.GetLoop(5).GetName(), "CALIB");
    EXPECT_EQ(sim.GetLoop(1).GetBlockCount(), 9);
    EXPECT_EQ(dialog->GetDeviceField(CCalibrationDlg::kFieldConfiguration), "CALIB");
    ASSERT_EQ(grid.GetColumnCount(), 5);
    ASSERT_EQ(grid.GetItemCount(), 2);
    EXPECT_EQ(grid.GetColumnHeading(4), "C.O. 4");
    EXPECT_EQ(grid.GetItemText(1, 0), "100%");
    EXPECT_EQ(grid.GetItemText(0, 1), "4.000");
    EXPECT_EQ(grid.GetItemText(1, 4), "20.000");
    EXPECT_GE(grid.GetColumnWidth(0), CCalibrationDlg::kLabelColumnWidth);
    EXPECT_EQ(grid.GetColumnWidth(1), (grid.viewport()->width() - 36) / 8);
    EXPECT_TRUE(dialog->GetDownloadButton()->isEnabled());
    EXPECT_FALSE(dialog->GetCertificateButton()->isEnabled());

    // 0.0 is no "0%" of 4 - 20 mA; 4.002 is.
    boxes.clear();
    Type(grid, 0, 1, "0.0");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Calibration: Value is out of range."}));
    EXPECT_FALSE(dialog->GetDownloadButton()->isEnabled());
    EXPECT_EQ(grid.GetItemText(0, 1), "4.000");
    Type(grid, 0, 1, "4.0021");
    EXPECT_EQ(grid.GetItemText(0, 1), "4.002");
    EXPECT_TRUE(dialog->GetDownloadButton()->isEnabled());

    boxes.clear();
    Click(dialog->GetDownloadButton());
    EXPECT_EQ(boxes, (std::vector<std::string>{"Download: Calibration downloaded with success."}));
    const Bytes& table = sim.GetCalibration(2);
    EXPECT_EQ(table[0] | (table[1] << 8), 4002);
    const std::string csv = ReadText(work.File("calibration/CALIB.csv"));
    EXPECT_NE(csv.find(",2,Varex Plus,4.10,CALIB,2,3,C.O. 1,0%,4.000,4.000,4.002\n"),
              std::string::npos)
        << csv;
    ASSERT_EQ(dialog->GetRecords().size(), 1u);
    EXPECT_TRUE(dialog->GetCertificateButton()->isEnabled());

    // The certificate of the write, saved where the user says.
    const std::string pdf = work.File("certificate.pdf");
    CModalAnswerer<QFileDialog> answerer([&pdf](QFileDialog& files) {
        files.selectFile(QString::fromStdString(pdf));
        static_cast<QDialog&>(files).accept();
    });
    Click(dialog->GetCertificateButton());
    EXPECT_TRUE(answerer.HasAnswered());
    const std::string bytes = ReadText(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    EXPECT_NE(bytes.find("/Count 1"), std::string::npos);  // one page, the one record
}

TEST_F(CalibrationDlgTest, AControllerWithAConfigurationIsAskedFirst) {
    sim.SetLoop(5, std::make_unique<CLoop>(5, "PLANT"));
    auto dialog = Open();
    Click(dialog->GetLookButton());
    answerToQuestion = IDNO;
    Click(dialog->GetModeButton(2));
    EXPECT_EQ(boxes,
              (std::vector<std::string>{"Calibration: Do you want to use default CONFIG ?"}));
    EXPECT_EQ(Sent(0x4D), 0);
    EXPECT_EQ(sim.GetLoop(5).GetName(), "PLANT");
    EXPECT_EQ(dialog->GetGrid()->GetItemText(0, 1), "4.000");
    // The answer stands for this controller's other modes.
    Click(dialog->GetModeButton(4));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(dialog->GetGrid()->GetColumnHeading(1), "V.O. 1");
    EXPECT_EQ(dialog->GetGrid()->GetItemText(0, 1), "1.000");

    // A new look at it asks again; Yes sends the configuration.
    Click(dialog->GetLookButton());
    answerToQuestion = IDYES;
    Click(dialog->GetModeButton(1));
    EXPECT_TRUE(Shown("Download: Configuration downloaded with success."));
    EXPECT_EQ(sim.GetLoop(5).GetName(), "CALIB");
}

TEST_F(CalibrationDlgTest, ManualInputPointsKeepTheirRanges) {
    auto dialog = Open();
    Click(dialog->GetLookButton());
    Click(dialog->GetModeButton(1));
    CListCtrlEx& grid = *dialog->GetGrid();
    ASSERT_EQ(grid.GetColumnCount(), 9);
    ASSERT_EQ(grid.GetItemCount(), 4);
    EXPECT_EQ(grid.GetItemText(3, 0), "5.0V");
    boxes.clear();
    Type(grid, 3, 2, "5.25");
    EXPECT_EQ(boxes, (std::vector<std::string>{"Calibration: Value is out of range."}));
    EXPECT_FALSE(dialog->GetDownloadButton()->isEnabled());
    Type(grid, 3, 2, "5.2");
    EXPECT_TRUE(dialog->GetDownloadButton()->isEnabled());
    Click(dialog->GetDownloadButton());
    const Bytes& inputs = sim.GetCalibration(1);
    EXPECT_EQ(inputs[(1 * 4 + 3) * 2] | (inputs[(1 * 4 + 3) * 2 + 1] << 8), 5200);
}

TEST_F(CalibrationDlgTest, TheControllerCalibratesTheSelectedInputs) {
    auto dialog = Open();
    Click(dialog->GetLookButton());
    Click(dialog->GetModeButton(0));
    EXPECT_TRUE(boxes.empty());  // the automatic mode keeps the configuration
    EXPECT_EQ(Sent(0x4D), 0);
    CListCtrlEx& grid = *dialog->GetGrid();
    EXPECT_EQ(grid.GetCellEditStyle(0, 1), CListCtrlEx::kReadOnly);
    ClickHeader(grid, 1);
    ClickHeader(grid, 3);
    ClickHeader(grid, 5);
    ClickHeader(grid, 5);
    EXPECT_EQ(CCalibrationTable::SelectionMask(dialog->GetSelectedColumns()), 0x05);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(grid, 2, 4));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, CellCenter(grid, 2, 4));
    ASSERT_EQ(Sent(0x56), 1);
    const Bytes& request =
        *std::find_if(written.begin(), written.end(), [](const Bytes& f) { return f[3] == 0x56; });
    EXPECT_EQ(request[6], 1);
    EXPECT_EQ(Bytes(request.begin() + 8, request.begin() + 10), (Bytes{0x05, 0x02}));
    EXPECT_EQ(grid.GetItemText(2, 3), "3.001");  // the simulator's measurement of A.I. 3
    EXPECT_EQ(grid.GetItemText(2, 2), "3.000");
    EXPECT_EQ(grid.GetItemText(1, 3), "1.000");
    const std::string csv = ReadText(work.File("calibration/address-2.csv"));
    EXPECT_NE(csv.find(",1,0,A.I. 3,3.0V,3.000,3.000,3.001\n"), std::string::npos) << csv;

    // Written back whole: the inputs' 64 bytes, whatever the mode.
    written.clear();
    Click(dialog->GetDownloadButton());
    ASSERT_EQ(Sent(0x56), 1);
    const Bytes& table =
        *std::find_if(written.begin(), written.end(), [](const Bytes& f) { return f[3] == 0x56; });
    EXPECT_EQ(table[4], 5 + 64);
    EXPECT_EQ(sim.GetCalibration(1), dialog->GetTable().ToBytes());
}

TEST_F(CalibrationDlgTest, ADamagedOrMissingConfigCalSendsNothing) {
    const std::string damaged = work.File("CONFIG.CAL");
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(testpaths::Resources() + "/CONFIG.CAL", 1 << 16, bytes, error));
    bytes.resize(bytes.size() - 20);
    ASSERT_TRUE(WriteFileAtomically(damaged, bytes, error));
    for (const std::string& file : {damaged, work.File("nowhere/CONFIG.CAL")}) {
        boxes.clear();
        auto dialog = Open(file);
        Click(dialog->GetLookButton());
        Click(dialog->GetModeButton(5));
        EXPECT_EQ(boxes, (std::vector<std::string>{"Calibration: CONFIG.CAL file not found!!!"}));
        EXPECT_EQ(Sent(0x4D), 0);
        EXPECT_EQ(dialog->GetGrid()->GetItemText(1, 4), "5.000");
        EXPECT_TRUE(dialog->GetDownloadButton()->isEnabled());
    }
}

TEST_F(CalibrationDlgTest, AControllerThatDisappearsLeavesTheGrid) {
    auto dialog = Open();
    Click(dialog->GetLookButton());
    answerToQuestion = IDNO;
    Click(dialog->GetModeButton(2));
    CListCtrlEx& grid = *dialog->GetGrid();
    Type(grid, 1, 1, "19.9");
    silent = true;
    boxes.clear();
    Click(dialog->GetDownloadButton());
    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Download: Problem to download this calibration.\nCommunication "
                         "Time-out !!!"}));
    EXPECT_EQ(grid.GetItemText(1, 1), "19.900");
    EXPECT_TRUE(dialog->GetRecords().empty());
    EXPECT_FALSE(std::filesystem::exists(work.File("calibration")));

    // Another address: what was found is gone until a look finds a controller.
    dialog->findChild<QSpinBox*>("addressSpin")->setValue(9);
    EXPECT_FALSE(dialog->GetModeButton(2)->isEnabled());
    EXPECT_EQ(dialog->GetGrid()->GetColumnCount(), 0);
    silent = false;
    Click(dialog->GetLookButton());
    EXPECT_EQ(dialog->GetDeviceField(CCalibrationDlg::kFieldModel), "Not found !!!");
    EXPECT_FALSE(dialog->GetModeButton(2)->isEnabled());
}
