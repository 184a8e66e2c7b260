#pragma once

#include <string>

// What a transfer sequence needs of the user interface: a modeless progress
// box, message boxes with a title, and the wait cursor. The windowed program
// shows dialogs; the command-line tool prints; tests script the answers.
class CTransferUi {
public:
    virtual ~CTransferUi() = default;

    virtual void BeginProgress(const std::string& title, const std::string& text, int maximum) = 0;
    virtual void SetProgress(int position) = 0;
    virtual void EndProgress() = 0;
    // type: MB_ buttons and icon; returns the answer (IDOK, IDYES, IDNO, ...).
    virtual int ShowMessage(const std::string& title, const std::string& text, unsigned type) = 0;
    virtual void SetWaitCursor(bool /*on*/) {}
    // The configuration name the controller now holds (the main frame shows it).
    virtual void SetConfigurationName(const std::string& /*name*/) {}
};
