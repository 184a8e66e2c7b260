#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

// Acts on the next modal dialog of type T that opens while this lives, as a user
// at the keyboard would (fill it in, press its buttons). Polls, since the dialog
// runs its own event loop inside the call under test.
template <typename T>
class CModalAnswerer {
public:
    explicit CModalAnswerer(std::function<void(T&)> act) : m_act(std::move(act)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }
    bool HasAnswered() const { return m_bAnswered; }

private:
    void Poll() {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (m_bAnswered || dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        m_bAnswered = true;
        m_act(*dialog);
    }

    std::function<void(T&)> m_act;
    QTimer m_timer;
    bool m_bAnswered = false;
};
