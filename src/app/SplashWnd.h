#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

// The splash screen: a frameless window with the program's picture and, over
// it, the program's description (string 28869) in the picture's lower part.
// Windows live on the user-interface thread, so a timer, not a thread of its
// own, measures the display time. When it is up the window closes and raises
// the main window; a failed start-up closes it at once. The window deletes
// itself when it closes.
class CSplashWnd : public QWidget {
public:
    static constexpr int kDisplayTime = 5000;  // ms
    static constexpr const char* kPictureName = "CONFSPLASH.BMP";
    // Where the description is written on the picture, and its colour.
    static QRect TextRect() { return QRect(QPoint(28, 200), QPoint(347, 269)); }
    static QColor TextColor() { return QColor(24, 12, 142); }

    // A splash window with the picture of the file, or null when it cannot be
    // read.
    static CSplashWnd* Create(const QString& picturePath);

    // Shows the window centred on the screen for the display time.
    void Start(int displayTime = kDisplayTime);
    // The window brought to the front when the display time is up.
    void SetMainWindow(QWidget* mainWindow) { m_pMainWindow = mainWindow; }
    // Closes the window now (start-up failed); the main window stays where it is.
    void CloseNow();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit CSplashWnd(QImage picture);
    void OnDisplayTimeUp();

    QImage m_picture;
    QString m_strText;
    QTimer m_timer;
    QPointer<QWidget> m_pMainWindow;
};
