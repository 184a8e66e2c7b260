#include "CrashReportShots.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <fstream>

#include "CrashReportDlg.h"
#include "ShotSaver.h"
#include "app/MainFrame.h"
#include "app/RecoveryKeeper.h"
#include "app/crash/CrashTest.h"
#include "app/crash/ExceptionAttacher.h"
#include "document/ConfDoc.h"

int RunCrashChildIfAsked(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], kCrashChildArgument) != 0) {
        return -1;
    }
    // The files go beside this program (or to the state folder).
    CExceptionAttacher::Install();
    CCrashTest::Run("segv");
    return 1;
}

bool SaveCrashReportShot(const QString& folder) {
    // A process of its own: this one has threads, which a fork would not take along.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kCrashChildArgument});
    child.waitForFinished(30000);
    CCrashReportDlg window("kestrel-screenshots", QCoreApplication::applicationDirPath(),
                           QCoreApplication::applicationDirPath());
    window.show();
    return SaveShot(window, folder + "/crash-report.png");
}

bool SaveRecoveryQuestionShot(CMainFrame& frame, const QString& folder) {
    CConfDoc* document = frame.GetActiveDocument();
    QTemporaryDir recovery;
    if (document == nullptr || !recovery.isValid()) {
        return false;
    }
    // The copy as a process that has ended leaves it.
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    waitpid(gone, nullptr, 0);
    const std::string base = recovery.path().toStdString() + "/" + std::to_string(gone) + "-1";
    std::string error;
    if (!document->SaveCopy(base + ".vxp", error)) {
        return false;
    }
    std::ofstream(base + ".txt") << document->GetPathName() << "\n" << document->GetTitle() << "\n";

    bool saved = false;
    QTimer::singleShot(200, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            saved = SaveShot(*box, folder + "/recovery-question.png");
            box->findChild<QPushButton*>("discard")->click();
        }
    });
    CRecoveryKeeper keeper(frame, recovery.path().toStdString() + "/");
    keeper.OfferRecovery(&frame);
    return saved;
}
