#pragma once

#include <functional>
#include <string>

// Message box styles and answers, with the values the program's callers use.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
};

enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// Shows a message to the user and returns the answer. Model code calls this
// without knowing who answers: the windowed program installs a handler that
// shows its message box; the command-line tool prints; tests record or answer.
using MessageBoxHandler = std::function<int(const std::string& text, unsigned type)>;

int AfxMessageBox(const std::string& text, unsigned type = MB_OK);
// The same with a string table entry as the text.
int AfxMessageBox(unsigned stringId, unsigned type = MB_OK);
// A message under a title that names the operation ("Save As") instead of the
// program. The handler reads it with GetMessageBoxTitle while it shows the box.
int AfxMessageBox(const std::string& title, const std::string& text, unsigned type);
// The title asked for the box being shown; empty for the program's own title.
const std::string& GetMessageBoxTitle();

// Installs a handler and returns the previous one; an empty handler restores the
// default, which writes the text to standard error and answers with the first
// button (OK or Yes).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
