#include "app/SplashWnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "platform/LogFont.h"
#include "platform/StringIds.h"
#include "platform/StringTable.h"
#include "platform/gui/GdiConvert.h"

CSplashWnd* CSplashWnd::Create(const QString& picturePath) {
    QImage picture(picturePath);
    if (picture.isNull()) {
        return nullptr;
    }
    return new CSplashWnd(std::move(picture));
}

CSplashWnd::CSplashWnd(QImage picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(std::move(picture)),
      m_strText(gdi::ToQString(LoadResString(IDS_SPLASH_TEXT))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(m_picture.size());
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { OnDisplayTimeUp(); });
}

void CSplashWnd::Start(int displayTime) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    m_timer.start(displayTime);
}

void CSplashWnd::CloseNow() {
    m_timer.stop();
    close();
}

void CSplashWnd::OnDisplayTimeUp() {
    close();
    if (m_pMainWindow) {
        m_pMainWindow->raise();
        m_pMainWindow->activateWindow();
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
    LOGFONT font;
    font.lfHeight = 17;  // cell height
    font.lfWeight = 900;
    SetFaceName(font, "Arial");
    painter.setFont(gdi::ToQFont(font));
    painter.setPen(TextColor());
    painter.drawText(TextRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_strText);
}
