#pragma once

#include <QDialog>
#include <utility>

#include "document/ui/ColorButton.h"
#include "document/ui/TextPropertyPage.h"
#include "editing/TextState.h"

class QDialogButtonBox;
class QPlainTextEdit;

// The text entry dialog: the text itself, then its font, alignment, colours
// and opaque background. OK is offered only while there is some text (a text
// object without any would be invisible and could not be picked again).
class CTextEntryDlg : public QDialog {
    Q_OBJECT

public:
    explicit CTextEntryDlg(const CTextState& state, QWidget* parent = nullptr);

    // What the dialog shows now; the rectangle is the one it started from.
    CTextState GetState() const;
    // Texts that stand for something else (a parameter's value) keep theirs.
    void SetTextReadOnly(bool readOnly);
    void SetColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }

private:
    void FollowText();

    CTextState m_original;
    ColorChooser m_colorChooser;
    QPlainTextEdit* m_pText = nullptr;
    CTextPropertyPage* m_pAttributes = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
};
