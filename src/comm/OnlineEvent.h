#pragma once

#include <QEvent>
#include <string>

// A message of an online worker as a Qt event: one event type per
// registration name, carrying the number of the worker that posted it so
// that a window can drop the messages of a worker that has gone.
class COnlineEvent : public QEvent {
public:
    COnlineEvent(const std::string& name, long generation)
        : QEvent(TypeOf(name)), m_nGeneration(generation) {}
    long GetGeneration() const { return m_nGeneration; }
    bool Is(const std::string& name) const { return type() == TypeOf(name); }

    // The same name always gives the same type; every registered message of
    // the program takes its type here.
    static QEvent::Type TypeOf(const std::string& name);

private:
    long m_nGeneration;
};
