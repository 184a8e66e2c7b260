#pragma once

#include <QEvent>
#include <QObject>
#include <string>

// The registered messages of the workers as Qt events: one event type per
// registration name, posted to a window, never sent.
class CPostedMessageEvent : public QEvent {
public:
    CPostedMessageEvent(QEvent::Type type, long wParam, long lParam)
        : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}
    long WParam() const { return m_wParam; }
    long LParam() const { return m_lParam; }

private:
    long m_wParam;
    long m_lParam;
};

class CAppEvents {
public:
    // The event type of a registration name (the same name always gives the same type).
    static QEvent::Type TypeOf(const std::string& name);
    static QEvent::Type TxLedEvent();
    static QEvent::Type RxLedEvent();
    // Installs the poster through which workers' messages reach target.
    static void RouteMessagesTo(QObject* target);
};
