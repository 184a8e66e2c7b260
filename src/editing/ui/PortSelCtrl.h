#pragma once

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

// The end of a port selection, posted to the window that opened the popup:
// whether a terminal was chosen, and its name.
class CPortSelEndEvent : public QEvent {
public:
    CPortSelEndEvent(bool chosen, std::string port)
        : QEvent(Type()), m_bChosen(chosen), m_strPort(std::move(port)) {}
    bool IsChosen() const { return m_bChosen; }
    const std::string& GetPort() const { return m_strPort; }
    // The type registered for the popup's end message.
    static QEvent::Type Type();

private:
    bool m_bChosen;
    std::string m_strPort;
};

// The popup that offers a node's terminals while a link is drawn: a row of
// cells with the terminal names, then "?" (the block's picture, to pick the
// terminal on it) and "X" (none). A click, or the arrows and Enter, choose a
// cell; Escape or a click elsewhere choose none. Whatever ends it, the
// receiver gets one CPortSelEndEvent.
class CPortSelCtrl : public QWidget {
public:
    // Asks for a terminal in the block's picture; false when cancelled.
    using PictureChooser = std::function<bool(std::string& port)>;

    static constexpr const char* kPictureCell = "?";
    static constexpr const char* kNoneCell = "X";

    CPortSelCtrl(std::vector<std::string> ports, QObject* receiver, QWidget* parent = nullptr);
    ~CPortSelCtrl() override;

    void SetPictureChooser(PictureChooser chooser) { m_chooser = std::move(chooser); }
    // Shows the popup with its top-left corner at the global point.
    void Popup(const QPoint& globalPoint);

    int GetCellCount() const { return static_cast<int>(m_cells.size()); }
    const std::string& GetCellText(int cell) const { return m_cells.at(cell); }
    // The cell's rectangle in the popup's coordinates.
    QRect CellRect(int cell) const;
    int GetCurrentCell() const { return m_nCurrent; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int CellAt(const QPoint& point) const;
    void ChooseCell(int cell);
    void End(bool chosen, const std::string& port);

    std::vector<std::string> m_cells;
    QPointer<QObject> m_receiver;
    PictureChooser m_chooser;
    int m_nCurrent = 0;
    int m_nCellWidth = 0;
    bool m_bEnded = false;
};
