// XCrashReport: shows the report of a program that faulted.
//
// XCrashReport PROGRAM [FOLDER]
//   PROGRAM  the crashed program's file name (surrounding double quotes are
//            dropped)
//   FOLDER   where ERRORLOG.TXT and CRASH.DMP are; by default this program's
//            folder
// The crashed program is restarted from this program's folder.
#include <QApplication>
#include <QDir>

#include "CrashReportDlg.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    QString program = arguments.size() > 1 ? arguments.at(1) : QString("kestrel");
    if (program.size() >= 2 && program.startsWith('"') && program.endsWith('"')) {
        program = program.mid(1, program.size() - 2);
    }
    const QString programFolder = QApplication::applicationDirPath();
    const QString reportFolder = arguments.size() > 2 ? arguments.at(2) : programFolder;
    CCrashReportDlg window(program, reportFolder, programFolder);
    window.show();
    return window.exec() == QDialog::Accepted ? 0 : 1;
}
