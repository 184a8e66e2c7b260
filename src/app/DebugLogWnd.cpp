#include "app/DebugLogWnd.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

CDebugLogWnd::CDebugLogWnd(QWidget* parent)
    : QDockWidget(tr("Debug Log Window"), parent), m_pEdit(new QTextEdit(this)) {
    setObjectName("debugLogBar");
    m_pEdit->setReadOnly(true);
    m_pEdit->setLineWrapMode(QTextEdit::NoWrap);
    m_pEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setWidget(m_pEdit);
}

void CDebugLogWnd::AppendLine(const QString& text, bool newLine) {
    // Appending at the end keeps whatever the user selected.
    QTextCursor cursor(m_pEdit->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(newLine ? text + "\n" : text);
    m_pEdit->verticalScrollBar()->setValue(m_pEdit->verticalScrollBar()->maximum());
}

QString CDebugLogWnd::GetText() const {
    return m_pEdit->toPlainText();
}
