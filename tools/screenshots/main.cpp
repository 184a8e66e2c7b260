// Writes pictures of the program's windows for review: the main window with
// the example configuration open on each loop, and the dialogs that exist.
// Usage: kestrel-screenshots OUTDIR [EXAMPLE.vxp]
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "comm/ui/CommSettings.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "document/ui/DocumentInfoDlg.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "vexilla/MessageBoxEx.h"

namespace {

bool Save(QWidget& widget, const QString& path) {
    widget.repaint();
    QApplication::processEvents();
    const bool saved = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
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
        ok = Save(frame, folder + QString("/main-loop%1.png")
                                      .arg(loop == 5 ? QString("G") : QString::number(loop))) &&
             ok;
    }

    CCommSettings comm(settings.LoadCommSettings(), {"/dev/ttyS0", "/dev/ttyUSB0"});
    comm.show();
    ok = Save(comm, folder + "/comm-settings.png") && ok;

    CDocumentInfoDlg information(*document, &frame);
    information.show();
    ok = Save(information, folder + "/document-information.png") && ok;

    CMessageBoxEx progress(&frame);
    progress.SetTitle(QString::fromLatin1(LoadResString(IDS_TITLE_DOWNLOAD).c_str()));
    progress.SetMsg(QString::fromLatin1(LoadResString(IDS_SENDING_CONFIGURATION).c_str()));
    progress.AddProgressBar(0, 5);
    progress.DoModeless();
    progress.SetPBPosition(3);
    ok = Save(progress, folder + "/download-progress.png") && ok;
    progress.EndDialog(0);
    return ok ? 0 : 1;
}
