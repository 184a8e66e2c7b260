#pragma once

#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

// The line-width tool box: a column of line samples, one per width, with the
// chosen width highlighted. A click on a sample chooses and reports its width;
// from the keyboard the arrows, Home and End move among the samples and Enter or
// Space chooses. Every choice is reported, also a repeated one, since it is
// applied to whatever is selected at the time.
class CLineWidthBar : public QWidget {
public:
    using ClickHandler = std::function<void(int width)>;

    // Widths that are not positive are left out.
    explicit CLineWidthBar(QWidget* parent = nullptr,
                           std::vector<int> widths = {1, 2, 3, 4, 5, 6, 7, 8});

    void SetClickHandler(ClickHandler handler) { m_onClick = std::move(handler); }

    const std::vector<int>& GetWidths() const { return m_widths; }
    QRect GetItemRect(int index) const;
    // The sample under the point, -1 outside every sample.
    int ItemAt(const QPoint& point) const;

    // The chosen width, 0 when none is.
    int GetLineWidth() const;
    // Highlights the width without reporting it; a width the box does not offer
    // clears the highlight and answers false.
    bool SetLineWidth(int width);
    // The sample the keyboard works on.
    int GetCurrentIndex() const { return m_current; }
    void SetCurrentIndex(int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int ItemHeight() const;
    int Count() const { return static_cast<int>(m_widths.size()); }
    bool MoveCurrent(int key);
    void Choose(int index);
    void PaintItem(QPainter& painter, int index) const;

    std::vector<int> m_widths;
    ClickHandler m_onClick;
    int m_chosen = -1;
    int m_current = 0;
};
