// Writes pictures of the program's windows for review: the main window with
// the example configuration open on each loop, and the dialogs that exist;
// the main window and a dialog in each language.
// Usage: kestrel-screenshots OUTDIR [EXAMPLE.vxp]
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QPixmap>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>

#include "CalibrationShots.h"
#include "CrashReportShots.h"
#include "EditingShots.h"
#include "LanguageShots.h"
#include "LinkShots.h"
#include "OnlineShots.h"
#include "PrintShots.h"
#include "ShotSaver.h"
#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "comm/ui/CommSettings.h"
#include "comm/ui/DeviceOnNetworkDlg.h"
#include "comm/ui/OnlineDlg.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "document/ui/DocumentInfoDlg.h"
#include "document/ui/DocumentPropertiesSheet.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "vexilla/MessageBoxEx.h"

int main(int argc, char** argv) {
    if (const int crashed = RunCrashChildIfAsked(argc, argv); crashed >= 0) {
        return crashed;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kestrel-screenshots OUTDIR [EXAMPLE.vxp]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const std::string example = argc > 2 ? argv[2] : "examples/PLANT.vxp";
    QDir().mkpath(folder);
    RegisterDrawingClasses();

    CAppSettings settings((folder + "/screenshots.ini").toStdString());
    CMainFrame frame(settings);
    frame.resize(1280, 900);
    frame.show();
    if (!frame.OpenDocument(example)) {
        return 1;
    }
    bool ok = true;
    CConfDoc* document = frame.GetActiveDocument();
    for (int loop = 1; loop <= CConfiguration::kLoopCount; ++loop) {
        document->SelectLoop(loop, true);
        frame.UpdateCommands();
        ok = SaveShot(frame, folder + QString("/main-loop%1.png")
                                          .arg(loop == 5 ? QString("G") : QString::number(loop))) &&
             ok;
    }

    ok = SaveEditingShots(frame, folder) && ok;
    ok = SaveLinkShots(frame, folder) && ok;
    ok = SavePrintShots(*document, folder) && ok;

    CCommSettings comm(settings.LoadCommSettings(), {"/dev/ttyS0", "/dev/ttyUSB0"});
    comm.show();
    ok = SaveShot(comm, folder + "/comm-settings.png") && ok;

    CDocumentInfoDlg information(*document, &frame);
    information.show();
    ok = SaveShot(information, folder + "/document-information.png") && ok;

    COnlineDlg online(settings.LoadCommSettings(), document, {"/dev/ttyS0", "/dev/ttyUSB0"},
                      &frame);
    online.ShowDevice(2, DeviceProbeResult::FromAnswer("4.10;PLANT;"));
    online.show();
    ok = SaveShot(online, folder + "/online.png") && ok;

    CDeviceOnNetworkDlg devices({"3;4.10;PLANT;", "7;2.05;BOILER;", "12;4.10;NO CONFG;"}, &frame);
    devices.show();
    ok = SaveShot(devices, folder + "/devices-on-network.png") && ok;

    CDocumentPropertiesSheet properties(*document, settings.GetWorkDir(), &frame);
    properties.show();
    if (auto* pages = properties.findChild<QTabWidget*>("pages")) {
        const char* names[] = {"general", "line", "fill", "text"};
        for (int page = 0; page < pages->count() && page < 4; ++page) {
            pages->setCurrentIndex(page);
            ok =
                SaveShot(properties, folder + "/document-properties-" + names[page] + ".png") && ok;
        }
    }

    CMessageBoxEx progress(&frame);
    progress.SetTitle(QString::fromLatin1(LoadResString(IDS_TITLE_DOWNLOAD).c_str()));
    progress.SetMsg(QString::fromLatin1(LoadResString(IDS_SENDING_CONFIGURATION).c_str()));
    progress.AddProgressBar(0, 5);
    progress.DoModeless();
    progress.SetPBPosition(3);
    ok = SaveShot(progress, folder + "/download-progress.png") && ok;
    progress.EndDialog(0);

    ok = SaveOnlineShots(frame, settings, folder) && ok;
    ok = SaveLanguageShots(frame, QCoreApplication::applicationDirPath() + "/../../src/app",
                           folder) &&
         ok;

    ok = SaveCalibrationShots(
             frame, folder, QCoreApplication::applicationDirPath() + "/../../src/app/CONFIG.CAL") &&
         ok;
    ok = SaveCrashReportShot(folder) && ok;
    ok = SaveRecoveryQuestionShot(frame, folder) && ok;
    return ok ? 0 : 1;
}
