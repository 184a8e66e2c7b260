#include "CalibrationShots.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>

#include "ShotSaver.h"
#include "SimController.h"
#include "SimPort.h"
#include "comm/Controller.h"
#include "comm/gui/CalibrationCertificate.h"
#include "comm/ui/CalibrationDlg.h"
#include "platform/MessageBox.h"

namespace {

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
        auto port = std::make_unique<CSimPort>(
            [&sim](const std::vector<uint8_t>& request) { return sim.HandleRequest(request); });
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
