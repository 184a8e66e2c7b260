// KESTREL: the engineering tool of the Varex controllers.
//
// kestrel [--startup-time] [FILE.vxp]
//   --startup-time  once the main window (with FILE open) has been painted,
//                   print "startup-ms: N" (ms since the process started) and end.
// KESTREL_NO_SPLASH=1 starts without the splash screen.
// KESTREL_CRASH_TEST=segv|segv-write|call-null|fpe|abort|throw|stack faults on purpose once
// the main window is up (the crash report and its program can be seen).
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/ConfApp.h"
#include "app/MainFrame.h"
#include "app/StartupClock.h"
#include "app/crash/CrashTest.h"
#include "app/crash/ExceptionAttacher.h"
#include "comm/AppSettings.h"
#include "platform/MessageBox.h"

int main(int argc, char** argv) {
    CStartupClock::Start();
    CExceptionAttacher::Install();
    QApplication application(argc, argv);
    QApplication::setApplicationName("KESTREL Plus");
    QApplication::setOrganizationName("Torv");

    bool reportStartupTime = false;
    std::string file;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == "--startup-time") {
            reportStartupTime = true;
        } else if (file.empty() && !arguments.at(i).startsWith("--")) {
            file = arguments.at(i).toStdString();
        }
    }

    CConfApp app(std::make_unique<CAppSettings>());
    if (!app.InitInstance(file)) {
        return app.ExitInstance();
    }
    if (reportStartupTime) {
        CStartupClock::AfterFirstPaint(app.GetMainFrame(), [] {
            std::printf("startup-ms: %lld\n", static_cast<long long>(CStartupClock::Elapsed()));
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    QTimer::singleShot(0, [] { CCrashTest::RunFromEnvironment(); });
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
