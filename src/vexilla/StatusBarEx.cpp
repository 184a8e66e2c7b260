#include "vexilla/StatusBarEx.h"

#include <qdrawutil.h>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <functional>
#include <set>

#include "vexilla/DrawnIcon.h"

namespace {

constexpr int kIconSide = 16;
constexpr int kTextGap = 3;
constexpr int kMinimumPaneHeight = kIconSide + 4;

void DrawLight(QPainter& painter, bool lit) {
    // The highlight sits up and left of the centre, as on a lamp lit from above.
    QRadialGradient gradient(QPointF(8, 8), 6.5, QPointF(6, 6));
    if (lit) {
        gradient.setColorAt(0.0, QColor(210, 255, 210));
        gradient.setColorAt(0.35, QColor(40, 235, 40));
        gradient.setColorAt(1.0, QColor(0, 150, 0));
    } else {
        gradient.setColorAt(0.0, QColor(110, 130, 110));
        gradient.setColorAt(0.35, QColor(60, 88, 60));
        gradient.setColorAt(1.0, QColor(35, 55, 35));
    }
    painter.setPen(QPen(QColor(40, 48, 40), 1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(QPointF(8, 8), 6.5, 6.5);
}

void DrawMemoryChip(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(205, 170, 60));  // gilded pins above and below the body
    for (int x = 4; x <= 11; x += 2) {
        painter.drawRect(QRectF(x, 2, 1, 3));
        painter.drawRect(QRectF(x, 11, 1, 3));
    }
    painter.setPen(QPen(QColor(20, 20, 28), 1.0));
    painter.setBrush(QColor(55, 58, 70));
    painter.drawRoundedRect(QRectF(2.5, 4.5, 11, 7), 1, 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 20, 28));  // the notch that marks pin 1
    painter.drawPie(QRectF(1, 6.5, 3, 3), -90 * 16, 180 * 16);
    painter.setBrush(QColor(200, 200, 210));
    painter.drawEllipse(QPointF(5.5, 9.5), 0.8, 0.8);
}

}  // namespace

// A text on the button-face colour in a colour and font of its own, covering the
// inside of a pane.
class CStatusBarEx::CLogo : public QWidget {
public:
    explicit CLogo(QWidget* pane) : QWidget(pane) {}

    void Set(const QString& text, const QColor& color, const QFont& font) {
        m_text = text;
        m_color = color;
        m_font = font;
        updateGeometry();
        update();
    }
    void SetText(const QString& text) {
        if (text != m_text) {
            m_text = text;
            update();
        }
    }
    const QString& GetText() const { return m_text; }

    QSize sizeHint() const override {
        return {QFontMetrics(m_font).horizontalAdvance(m_text), QFontMetrics(m_font).height()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Button));
        painter.setFont(m_font);
        painter.setPen(m_color);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_text);
    }

private:
    QString m_text;
    QColor m_color;
    QFont m_font;
};

// One pane: a sunken frame (unless asked for none) with an icon and a text.
class CStatusBarEx::CPane : public QWidget {
public:
    CPane(QWidget* parent, const PaneInfo& info) : QWidget(parent), m_id(info.id) {
        setAutoFillBackground(true);
        SetStyle(info.style);
        setFixedWidth(info.width);
    }

    int GetId() const { return m_id; }
    const QString& GetText() const { return m_text; }
    const QIcon& GetIcon() const { return m_icon; }
    unsigned GetStyle() const { return m_style; }
    CLogo* GetLogo() const { return m_logo; }

    void SetText(const QString& text) {
        if (text != m_text) {
            m_text = text;
            update();
        }
    }
    void SetIcon(const QIcon& icon) {
        m_icon = icon;
        update();
    }
    void SetStyle(unsigned style) {
        m_style = style;
        // The logo covers the inside of the frame, which moves with the border.
        const int border = (style & kPaneNoBorder) ? 0 : 1;
        setContentsMargins(border, border, border, border);
        PlaceLogo();
        update();
    }
    CLogo* MakeLogo() {
        if (!m_logo) {
            m_logo = new CLogo(this);
            PlaceLogo();
            m_logo->show();
        }
        return m_logo;
    }
    void LogoChanged() { updateGeometry(); }

    QSize sizeHint() const override {
        int height = std::max(kMinimumPaneHeight, fontMetrics().height() + 4);
        if (m_logo) {
            height = std::max(height, m_logo->sizeHint().height() + 2);
        }
        return {minimumWidth(), height};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        PlaceLogo();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        if (!(m_style & kPaneNoBorder)) {
            qDrawShadePanel(&painter, rect(), palette(), true, 1);
        }
        QRect inside = contentsRect().adjusted(2, 0, -2, 0);
        if (!m_icon.isNull()) {
            // An icon alone stands in the middle; with a text it leads it.
            const QRect iconRect =
                m_text.isEmpty() ? QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                                       {kIconSide, kIconSide}, inside)
                                 : QRect(inside.left(), inside.center().y() - kIconSide / 2 + 1,
                                         kIconSide, kIconSide);
            m_icon.paint(&painter, iconRect);
            inside.setLeft(iconRect.right() + 1 + kTextGap);
        }
        const QString shown =
            fontMetrics().elidedText(m_text, Qt::ElideRight, std::max(0, inside.width()));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }

private:
    void PlaceLogo() {
        if (m_logo) {
            m_logo->setGeometry(contentsRect());
        }
    }

    int m_id;
    QString m_text;
    QIcon m_icon;
    unsigned m_style = kPaneNormal;
    CLogo* m_logo = nullptr;
};

CStatusBarEx::CStatusBarEx(QWidget* parent) : QStatusBar(parent) {}

CStatusBarEx::~CStatusBarEx() = default;

bool CStatusBarEx::SetPanes(std::span<const PaneInfo> panes) {
    std::set<int> ids;
    for (const PaneInfo& info : panes) {
        if (info.width < 0 || !ids.insert(info.id).second) {
            return false;
        }
    }
    RemovePanes();
    for (const PaneInfo& info : panes) {
        auto* pane = new CPane(this, info);
        addPermanentWidget(pane);
        m_panes.push_back(pane);
    }
    return true;
}

void CStatusBarEx::RemovePanes() {
    for (CPane* pane : m_panes) {
        removeWidget(pane);
        delete pane;
    }
    m_panes.clear();
}

int CStatusBarEx::CommandToIndex(int id) const {
    const auto found = std::find_if(m_panes.begin(), m_panes.end(),
                                    [id](const CPane* pane) { return pane->GetId() == id; });
    return found == m_panes.end() ? -1 : static_cast<int>(found - m_panes.begin());
}

int CStatusBarEx::GetPaneId(int index) const {
    return index >= 0 && index < GetPaneCount() ? m_panes[index]->GetId() : -1;
}

CStatusBarEx::CPane* CStatusBarEx::FindPane(int id) const {
    const int index = CommandToIndex(id);
    return index < 0 ? nullptr : m_panes[index];
}

bool CStatusBarEx::SetPaneText(int id, const QString& text) {
    CPane* pane = FindPane(id);
    if (pane) {
        pane->SetText(text);
    }
    return pane != nullptr;
}

QString CStatusBarEx::GetPaneText(int id) const {
    const CPane* pane = FindPane(id);
    return pane ? pane->GetText() : QString();
}

bool CStatusBarEx::SetPaneIcon(int id, const QIcon& icon) {
    CPane* pane = FindPane(id);
    if (pane) {
        pane->SetIcon(icon);
    }
    return pane != nullptr;
}

QIcon CStatusBarEx::GetPaneIcon(int id) const {
    const CPane* pane = FindPane(id);
    return pane ? pane->GetIcon() : QIcon();
}

bool CStatusBarEx::SetPaneStyle(int id, unsigned style) {
    CPane* pane = FindPane(id);
    if (pane) {
        pane->SetStyle(style);
    }
    return pane != nullptr;
}

unsigned CStatusBarEx::GetPaneStyle(int id) const {
    const CPane* pane = FindPane(id);
    return pane ? pane->GetStyle() : kPaneNormal;
}

bool CStatusBarEx::SetPaneWidth(int id, int width) {
    CPane* pane = FindPane(id);
    if (!pane || width < 0) {
        return false;
    }
    pane->setFixedWidth(width);
    return true;
}

int CStatusBarEx::GetPaneWidth(int id) const {
    const CPane* pane = FindPane(id);
    return pane ? pane->width() : -1;
}

bool CStatusBarEx::AddLogoControl(int id, const QString& text, const QColor& textColor,
                                  const QFont& font) {
    CPane* pane = FindPane(id);
    if (!pane) {
        return false;
    }
    pane->MakeLogo()->Set(text, textColor, font);
    pane->LogoChanged();  // a larger font makes the bar taller
    return true;
}

bool CStatusBarEx::SetLogoText(int id, const QString& text) {
    const CPane* pane = FindPane(id);
    if (!pane || !pane->GetLogo()) {
        return false;
    }
    pane->GetLogo()->SetText(text);
    return true;
}

QString CStatusBarEx::GetLogoText(int id) const {
    const CPane* pane = FindPane(id);
    return pane && pane->GetLogo() ? pane->GetLogo()->GetText() : QString();
}

QWidget* CStatusBarEx::GetPaneWidget(int id) const {
    return FindPane(id);
}

QWidget* CStatusBarEx::GetLogoControl(int id) const {
    const CPane* pane = FindPane(id);
    return pane ? pane->GetLogo() : nullptr;
}

QIcon CStatusBarEx::LightIcon(bool lit) {
    return DrawnIcon([lit](QPainter& painter) { DrawLight(painter, lit); });
}

QIcon CStatusBarEx::MemoryIcon() {
    return DrawnIcon(DrawMemoryChip);
}

// The panes draw their own frames, so the style's frame around every item is
// left out here; otherwise a pane without a border would still get one.
void CStatusBarEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &option, &painter, this);
    const QString message = currentMessage();
    if (!message.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(MessageRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
                         message);
    }
}

// The space a temporary message may take: from the left edge to the first pane.
QRect CStatusBarEx::MessageRect() const {
    int right = width() - 12;
    for (const CPane* pane : m_panes) {
        if (pane->isVisible()) {
            right = std::min(right, pane->x() - 2);
            break;
        }
    }
    return {6, 0, std::max(0, right - 6), height()};
}
