#pragma once

#include <QString>

// The crash-report window showing the report of a real fault: a child process
// installs the fault handler and reads through a null pointer.
bool SaveCrashReportShot(const QString& folder);
