#include "CrashReportShots.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>

#include "CrashReportDlg.h"
#include "ShotSaver.h"
#include "app/crash/CrashTest.h"
#include "app/crash/ExceptionAttacher.h"

bool SaveCrashReportShot(const QString& folder) {
    const pid_t child = fork();
    if (child == 0) {
        // The files go beside this program (or to the state folder).
        CExceptionAttacher::Install();
        CCrashTest::Run("segv");
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    CCrashReportDlg window("kestrel-screenshots", QCoreApplication::applicationDirPath(),
                           QCoreApplication::applicationDirPath());
    window.show();
    return SaveShot(window, folder + "/crash-report.png");
}
