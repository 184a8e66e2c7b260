// The start-up baseline of bench/startup.sh: the least a Qt main window costs.
// A main window with a menu bar and a status bar, shown maximised; once it has
// been painted the program prints "startup-ms: N" (ms since main began) and ends,
// as "kestrel --startup-time" does.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>

namespace {

class CFirstPaint : public QObject {
public:
    CFirstPaint(QWidget* window, const QElapsedTimer& clock) : m_pWindow(window), m_clock(clock) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_bSeen && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_pWindow) {
            m_bSeen = true;
            QTimer::singleShot(0, [this] {
                std::printf("startup-ms: %lld\n", static_cast<long long>(m_clock.elapsed()));
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget* m_pWindow;
    const QElapsedTimer& m_clock;
    bool m_bSeen = false;
};

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    QMainWindow window;
    for (const char* title : {"&File", "&Edit", "&View", "&Help"}) {
        QMenu* menu = window.menuBar()->addMenu(title);
        menu->addAction("&Item");
    }
    window.statusBar()->addWidget(new QLabel("Ready"));
    CFirstPaint watch(&window, clock);
    application.installEventFilter(&watch);
    window.showMaximized();
    return QApplication::exec();
}
