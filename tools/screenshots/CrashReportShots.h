#pragma once

#include <QString>

// The argument that makes the screenshot program a child that faults.
inline constexpr const char* kCrashChildArgument = "--crash-child";

// The child's part, before anything else in main: faults when asked (and so
// returns only when it could not), else -1.
int RunCrashChildIfAsked(int argc, char** argv);

// The crash-report window showing the report of a real fault: a child process
// installs the fault handler and reads through a null pointer.
bool SaveCrashReportShot(const QString& folder);

class CMainFrame;

// The question about the recovery copies a killed process left, with a copy
// of the frame's active document.
bool SaveRecoveryQuestionShot(CMainFrame& frame, const QString& folder);
