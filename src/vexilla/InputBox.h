#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// A small box that asks for one line of text under a prompt, with OK and
// Cancel. The text starts with a proposal, selected, so typing replaces it.
class CInputBox : public QDialog {
public:
    CInputBox(const QString& title, const QString& prompt, const QString& text,
              QWidget* parent = nullptr, int maxLength = 32767);

    QString GetText() const;
    QLineEdit* GetEdit() const { return m_pEdit; }

private:
    QLineEdit* m_pEdit;
};
