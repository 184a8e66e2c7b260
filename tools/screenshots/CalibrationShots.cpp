#include "CalibrationShots.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "ShotSaver.h"
#include "SimController.h"
#include "comm/AbstractCommPort.h"
#include "comm/Controller.h"
#include "comm/FrameCodec.h"
#include "comm/gui/CalibrationCertificate.h"
#include "comm/ui/CalibrationDlg.h"
#include "platform/MessageBox.h"

namespace {

// A line to a controller in this process: each request is answered at once.
class CSimPort : public CAbstractCommPort {
public:
    explicit CSimPort(CSimController& sim) : m_sim(sim) {}
    bool IsOpen() const override { return m_bOpen; }
    bool Open(const std::string&, bool) override { return m_bOpen = true; }
    void Close() override { m_bOpen = false; }
    int Write(const uint8_t* buffer, int length) override {
        m_reply = m_sim.HandleRequest(std::vector<uint8_t>(buffer, buffer + length));
        return length;
    }
    int ReceiveFrame(uint8_t* dest, int destSize, const uint8_t*, int) override {
        const std::vector<uint8_t> reply = frame::Unstuff(m_reply.data(), m_reply.size());
        m_reply.clear();
        const int size = std::min<int>(destSize, static_cast<int>(reply.size()));
        std::copy(reply.begin(), reply.begin() + size, dest);
        return size;
    }
    int Read(uint8_t*, int) override { return 0; }

private:
    CSimController& m_sim;
    std::vector<uint8_t> m_reply;
    bool m_bOpen = false;
};

void Select(CCalibrationDlg& dialog, int mode) {
    dialog.GetModeButton(mode)->setChecked(true);
    dialog.SelectMode(mode);
}

bool SaveCertificatePage(const CCalibrationRecord& record, const QString& path) {
    // A4 landscape at 96 dots per inch.
    QImage page(1123, 794, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    CCalibrationCertificate::PaintPage(painter, QRectF(57, 57, 1123 - 114, 794 - 114), record);
    painter.end();
    const bool ok = page.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return ok;
}

}  // namespace

bool SaveCalibrationShots(QWidget& parent, const QString& folder, const QString& configFile) {
    CSimController sim;
    sim.SetNoConfigName(true);
    CController::SetPortFactory([&sim](const CCommunicationData&) {
        auto port = std::make_unique<CSimPort>(sim);
        port->Open("", false);
        return port;
    });
    const MessageBoxHandler previous =
        SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
    QTemporaryDir work;
    CCommunicationData data;
    CCalibrationDlg dialog(data, configFile.toStdString(), work.path().toStdString(), &parent);
    dialog.resize(760, 540);
    dialog.show();
    dialog.Look();

    Select(dialog, CCalibrationTable::kCurrent4To20);
    CListCtrlEx& grid = *dialog.GetGrid();
    grid.SetItemText(0, 2, "4.003");
    bool ok = SaveShot(dialog, folder + "/calibration-current-output.png");

    Select(dialog, CCalibrationTable::kInputAuto);
    for (int column : {1, 3}) {
        emit grid.horizontalHeader()->sectionClicked(column);
    }
    dialog.CalibrateSelected(2);
    grid.selectRow(2);
    ok = SaveShot(dialog, folder + "/calibration-inputs-auto.png") && ok;
    if (!dialog.GetRecords().empty()) {
        ok = SaveCertificatePage(dialog.GetRecords().back(),
                                 folder + "/calibration-certificate.png") &&
             ok;
    } else {
        ok = false;
    }
    dialog.hide();
    SetMessageBoxHandler(previous);
    CController::SetPortFactory(nullptr);
    return ok;
}
