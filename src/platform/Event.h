#pragma once

#include <chrono>
#include <initializer_list>

// A manual-reset event: once set it stays set until reset, and every waiter
// wakes. Workers and the user-interface thread meet through these.
class CEvent {
public:
    explicit CEvent(bool initiallySet = false);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until set or the time-out passes; true when set.
    bool Wait(std::chrono::milliseconds timeout) const;
    void Wait() const;

    // Index of the first set event among events, or -1 after the time-out.
    static int WaitForAny(std::initializer_list<const CEvent*> events,
                          std::chrono::milliseconds timeout);

private:
    bool m_bSet;
};
