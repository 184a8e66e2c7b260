#pragma once

#include <QApplication>
#include <QTimer>
#include <string>
#include <utility>
#include <vector>

#include "vexilla/MessageBoxEx.h"

// Answers the program's modal message boxes while a command runs: a box whose
// "title: text" contains a scripted phrase ends with the scripted button, any
// other with its default button. Every box answered is recorded.
class CBoxAnswerer {
public:
    CBoxAnswerer() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }
    void Answer(const std::string& phrase, int buttonId) { m_rules.emplace_back(phrase, buttonId); }

    std::vector<std::string> seen;

private:
    void Poll() {
        auto* box = dynamic_cast<CMessageBoxEx*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        const std::string shown =
            box->windowTitle().toStdString() + ": " + box->GetShownText().toStdString();
        seen.push_back(shown);
        int answer = box->GetDefaultButton();
        for (const auto& [phrase, id] : m_rules) {
            if (shown.find(phrase) != std::string::npos) {
                answer = id;
                break;
            }
        }
        box->EndDialog(answer);
    }

    QTimer m_timer;
    std::vector<std::pair<std::string, int>> m_rules;
};
