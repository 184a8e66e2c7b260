#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// The window of the crash-report program: says that the program stopped,
// shows "ERRORLOG.TXT" and lets the user keep both files for support (saved
// into a folder of their choice, or the report copied to the clipboard) and
// start the program again.
class CCrashReportDlg : public QDialog {
public:
    // Answers whether an existing file may be replaced.
    using ReplaceQuery = std::function<bool(const QString& path)>;
    // Chooses the folder to save into (empty: cancelled).
    using FolderQuery = std::function<QString()>;
    // Starts a program; false when it did not start.
    using Starter = std::function<bool(const QString& program)>;

    // programName: the crashed program's file name; reportFolder: where the
    // two files are; programFolder: where the crashed program is.
    CCrashReportDlg(const QString& programName, const QString& reportFolder,
                    const QString& programFolder, QWidget* parent = nullptr);

    void SetFolderQuery(FolderQuery query) { m_chooseFolder = std::move(query); }
    void SetReplaceQuery(ReplaceQuery query) { m_mayReplace = std::move(query); }
    void SetStarter(Starter starter) { m_start = std::move(starter); }

    QString ReportText() const;
    QString ReportPath() const;
    QString DumpPath() const;
    // Copies both files into a folder; false (with the reason shown in the
    // window) when one could not be written. An existing file is replaced
    // only when the user says so.
    bool SaveTo(const QString& folder);

private:
    void OnSave();
    void OnCopy();
    void OnRestart();
    bool CopyOne(const QString& source, const QString& folder);
    void SetStatus(const QString& text);

    QString m_programName;
    QString m_reportFolder;
    QString m_programFolder;
    QPlainTextEdit* m_pReport = nullptr;
    QLabel* m_pStatus = nullptr;
    FolderQuery m_chooseFolder;
    ReplaceQuery m_mayReplace;
    Starter m_start;
};
