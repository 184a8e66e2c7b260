#pragma once

#include <QtGlobal>
#include <functional>

class QWidget;

// Measures how long the program takes to come up: from the moment the kernel
// started the process (so loading the libraries counts) to the first painting
// of the main window.
class CStartupClock {
public:
    // Starts the clock used when the process start time is unknown; the first
    // thing main does.
    static void Start();
    // Milliseconds since the process started (10 ms steps from the kernel's
    // start time; since Start() where that cannot be read).
    static qint64 Elapsed();
    // The process start time from the kernel, in ms on the boot clock; -1 when
    // /proc cannot tell it.
    static qint64 ProcessStartMs();
    // Calls done once from the event loop, after window has been painted for
    // the first time, or after timeoutMs when it never is.
    static void AfterFirstPaint(QWidget* window, std::function<void()> done, int timeoutMs = 10000);
};
