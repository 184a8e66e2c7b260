#pragma once

#include <QCoreApplication>

#include <functional>
#include <string>

class QWidget;

// The save dialog of configuration files with the program's name rules: an
// existing file is replaced only when the user agrees, and the name (without
// its extension) has at most eight characters and no dot, because it becomes
// the name of the general loop in the controller.
class CConfFileDialog {
    Q_DECLARE_TR_FUNCTIONS(CConfFileDialog)

public:
    static constexpr std::size_t kMaxNameLength = 8;

    // Shows the platform dialog; answers the chosen path, empty for Cancel.
    using Chooser = std::function<std::string(const std::string& initial)>;

    // True when the file title of path keeps the name rules.
    static bool IsValidName(const std::string& path);
    // Asks until the chosen name keeps the rules; empty when the user cancels.
    // Without a chooser the platform's save dialog is shown over parent.
    static std::string GetSaveFileName(QWidget* parent, const std::string& initial,
                                       const Chooser& chooser = {});
};
