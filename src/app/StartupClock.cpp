#include "app/StartupClock.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

namespace {

QElapsedTimer& SinceMain() {
    static QElapsedTimer timer;
    return timer;
}

qint64 BootClockMs() {
    timespec now{};
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return -1;
    }
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Watches every paint of the application for the first one of the window.
class CFirstPaintWatch : public QObject {
public:
    CFirstPaintWatch(QWidget* window, std::function<void()> done, int timeoutMs)
        : m_pWindow(window), m_done(std::move(done)) {
        QCoreApplication::instance()->installEventFilter(this);
        QTimer::singleShot(timeoutMs, this, [this] { Finish(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && m_pWindow &&
            static_cast<QWidget*>(watched)->window() == m_pWindow) {
            QCoreApplication::instance()->removeEventFilter(this);
            // After the paint in progress has reached the screen.
            QTimer::singleShot(0, this, [this] { Finish(); });
        }
        return false;
    }

private:
    void Finish() {
        if (!m_done) {
            return;
        }
        QCoreApplication::instance()->removeEventFilter(this);
        std::function<void()> done = std::move(m_done);
        m_done = nullptr;
        deleteLater();
        done();
    }

    QPointer<QWidget> m_pWindow;
    std::function<void()> m_done;
};

}  // namespace

void CStartupClock::Start() {
    SinceMain().start();
}

qint64 CStartupClock::ProcessStartMs() {
    std::ifstream file("/proc/self/stat");
    std::string stat;
    if (!std::getline(file, stat)) {
        return -1;
    }
    // "pid (name) state ppid ...": the name may hold blanks and parentheses, so
    // the fields are counted after its last ")". The start time is field 22.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int number = 3; number <= 22 && (fields >> field); ++number) {
        if (number == 22) {
            const long ticksPerSecond = sysconf(_SC_CLK_TCK);
            if (ticksPerSecond <= 0) {
                return -1;
            }
            return static_cast<qint64>(std::stoull(field) * 1000 / ticksPerSecond);
        }
    }
    return -1;
}

qint64 CStartupClock::Elapsed() {
    const qint64 sinceMain = SinceMain().isValid() ? SinceMain().elapsed() : 0;
    const qint64 started = ProcessStartMs();
    const qint64 now = BootClockMs();
    if (started < 0 || now < 0) {
        return sinceMain;
    }
    return std::max(now - started, sinceMain);
}

void CStartupClock::AfterFirstPaint(QWidget* window, std::function<void()> done, int timeoutMs) {
    new CFirstPaintWatch(window, std::move(done), timeoutMs);
}
