#pragma once

#include <QCoreApplication>

#include <string>

class QWidget;

// Shows the program's messages (AfxMessageBox) in the Vexilla message box with
// the buttons and icon the message type asks for.
class CAppMessageBox {
    Q_DECLARE_TR_FUNCTIONS(CAppMessageBox)

public:
    // Installs the handler; messages appear over parent (the main window).
    static void Install(QWidget* parent);
    // The answer of one message, shown modal.
    static int Show(QWidget* parent, const std::string& text, unsigned type);
    // The same under a title of the caller's.
    static int Show(QWidget* parent, const std::string& title, const std::string& text,
                    unsigned type);
    // The title of the program's message boxes.
    static constexpr const char* kTitle = "KESTREL Plus";
};
