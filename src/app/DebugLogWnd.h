#pragma once

#include <QDockWidget>
#include <QString>

class QTextEdit;

// "Debug Log Window": a bar docked at the bottom of the main window that shows
// the program's diagnostic lines while the engineer works.
class CDebugLogWnd : public QDockWidget {
    Q_OBJECT

public:
    explicit CDebugLogWnd(QWidget* parent = nullptr);

    // Appends text, ending the line when newLine is set.
    void AppendLine(const QString& text, bool newLine = true);
    QString GetText() const;

private:
    QTextEdit* m_pEdit;
};
