#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>
#include <functional>

// The colour tool box: a grid of colour swatches beside two indicators, the
// current line colour in front and the fill colour behind it. A left click on a
// swatch picks the line colour, a right click the fill colour; in fill mode the
// two buttons change roles (a click on an indicator chooses the mode). From the
// keyboard the arrows, Home and End move among the swatches, Enter picks as the
// left button does and Shift+Enter as the right one. Every pick is reported, also
// a repeated one, since it is applied to whatever is selected at the time.
class CColorBar : public QWidget {
public:
    enum Target { kFill = 0, kLine = 1 };
    using ClickHandler = std::function<void(int which, const QColor& color)>;

    static constexpr int kColumns = 8;

    explicit CColorBar(QWidget* parent = nullptr);

    void SetClickHandler(ClickHandler handler) { m_onClick = std::move(handler); }

    static int GetSwatchCount();
    static QColor GetSwatchColor(int index);
    QRect GetSwatchRect(int index) const;
    // The swatch under the point, -1 outside every swatch.
    int SwatchAt(const QPoint& point) const;
    // The swatch the keyboard works on.
    int GetCurrentIndex() const { return m_current; }
    void SetCurrentIndex(int index);

    // The indicators; setting them reports nothing.
    QColor GetLineColor() const { return m_lineColor; }
    void SetLineColor(const QColor& color);
    QColor GetFillColor() const { return m_fillColor; }
    void SetFillColor(const QColor& color);
    QRect GetIndicatorRect(int which) const;

    bool IsFillMode() const { return m_fillMode; }
    void SetFillMode(bool fillMode);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int PrimaryTarget() const { return m_fillMode ? kFill : kLine; }
    int SecondaryTarget() const { return m_fillMode ? kLine : kFill; }
    int IndicatorAt(const QPoint& point) const;
    bool MoveCurrent(int key);
    void Pick(int index, int which);
    void PaintIndicator(QPainter& painter, int which) const;
    void PaintSwatch(QPainter& painter, int index) const;
    QString ToolTipAt(const QPoint& point) const;

    ClickHandler m_onClick;
    QColor m_lineColor = Qt::black;
    QColor m_fillColor = Qt::white;
    bool m_fillMode = false;
    int m_current = 0;
};
