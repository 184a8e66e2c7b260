#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "vexilla/MessageBoxLayout.h"

class QLabel;
class QProgressBar;
class QPushButton;

// The program's message box: any number of buttons with texts of the caller's
// choice, each ending the box with its own identifier; an optional icon and
// progress bar. It runs modal (DoModal answers the identifier of the button that
// ended it) or modeless (DoModeless returns at once; the owner moves the bar and
// calls EndDialog). The box sizes itself to its contents.
class CMessageBoxEx : public QDialog {
public:
    // Alignment of the message text given to SetMsg.
    enum MessageStyle { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
    // System icon identifiers understood by SetStandardIcon.
    enum StandardIcon {
        kIconHand = 32513,
        kIconQuestion = 32514,
        kIconExclamation = 32515,
        kIconAsterisk = 32516,
    };
    // The colour kind drawing the bar dark blue on white.
    static constexpr int kBarColorPlain = 16;

    // Resolves a string identifier to its text; installed once by the program.
    using StringLoader = std::function<QString(int id)>;
    static StringLoader SetStringLoader(StringLoader loader);

    explicit CMessageBoxEx(QWidget* parent = nullptr, int withCaption = 1);
    ~CMessageBoxEx() override;

    void SetTitle(const QString& title) { m_title = title; }
    void SetTitle(int stringId) { m_title = LoadText(stringId); }
    bool SetMsg(const QString& message, int style = kAlignLeft);
    bool SetMsg(int stringId, int style = kAlignLeft);
    // With the flag the message is RTF; its plain text is shown.
    void SetRtf(bool rtf) { m_rtf = rtf; }
    void SetIcon(const QIcon& icon) { m_icon = icon; }
    // Unknown identifiers leave the box without an icon.
    void SetStandardIcon(int iconId);

    // Appends a button that ends the box with id. The string form takes the text
    // from a string identifier; -1 means that id itself is that identifier.
    void AddButton(int id, bool isDefault, int value, bool isEscape, const QString& text);
    void AddButton(int id, bool isDefault = false, int value = 0, bool isEscape = false,
                   int stringId = -1);
    void AddProgressBar(int minimum, int maximum, int borderWidth = 1,
                        int colorKind = kBarColorPlain, int style = 1);
    // Moves the bar only for minimum < position <= maximum.
    void SetPBPosition(int position);
    void UpdatePBPosition() { SetPBPosition(m_barPosition + 1); }

    void SetMetric(int index, int value) { m_layout.SetMetric(index, value); }
    int GetMetric(int index) const { return m_layout.GetMetric(index); }

    // Runs the box; answers the identifier of the button that ended it, -1 when the
    // box cannot be shown (it is already showing).
    int DoModal();
    // Shows the box, painted, and returns at once; false when it is already showing.
    bool DoModeless();
    // Ends the box with id, modal or modeless, and gives the focus back to the parent.
    void EndDialog(int id);

    // Reading back the box for its owner and for checks.
    int GetResult() const { return m_result; }
    int GetPBPosition() const { return m_barPosition; }
    int GetDefaultButton() const { return m_defaultId; }
    int GetEscapeButton() const { return m_escapeId; }
    int GetButtonValue(int id) const;
    QPushButton* GetButton(int id) const;
    QLabel* GetMessageControl() const { return m_messageLabel; }
    QProgressBar* GetProgressBar() const { return m_bar; }
    const CMessageBoxLayout& GetLayout() const { return m_layout; }
    QString GetShownText() const;

    // The plain text of an RTF document: control words and groups removed, \par and
    // \line as line breaks, \tab as a tab, \'hh as that character.
    static QString PlainTextOfRtf(const QString& rtf);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    struct Button {
        int id;
        int value;
        QString text;
        QPointer<QPushButton> control;
    };

    QString LoadText(int stringId) const;
    bool Build();
    QSize MeasureMessage(const QString& text) const;
    void Arrange();
    bool HandleKey(QKeyEvent* event);
    void DestroyButtons();

    bool m_withCaption;
    QString m_title;
    QString m_message;
    int m_messageStyle = kAlignLeft;
    bool m_rtf = false;
    QIcon m_icon;
    std::vector<Button> m_buttons;
    int m_defaultId = -1;
    int m_escapeId = -1;

    bool m_hasBar = false;
    int m_barMinimum = 0;
    int m_barMaximum = 100;
    int m_barBorder = 1;
    int m_barColorKind = kBarColorPlain;
    int m_barStyle = 1;
    int m_barPosition = 0;

    CMessageBoxLayout m_layout;
    QSize m_messageSize;
    QSize m_buttonSize;
    QSize m_iconSize;

    QLabel* m_messageLabel = nullptr;
    QLabel* m_iconLabel = nullptr;
    QProgressBar* m_bar = nullptr;
    bool m_running = false;
    int m_result = -1;
};
