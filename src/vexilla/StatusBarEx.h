#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QStatusBar>
#include <QString>
#include <span>
#include <vector>

// The program's status bar: a row of fixed-width panes, each known by its
// identifier, showing a text and an optional icon; a pane may go without a
// border and may carry a logo control, a text in its own colour and font on the
// button-face colour. The panes stand at the right as permanent widgets, so a
// temporary message still has the space at the left.
class CStatusBarEx : public QStatusBar {
public:
    enum PaneStyle : unsigned { kPaneNormal = 0, kPaneNoBorder = 1 };

    struct PaneInfo {
        int id;
        int width;
        unsigned style = kPaneNormal;
    };

    explicit CStatusBarEx(QWidget* parent = nullptr);
    ~CStatusBarEx() override;

    // Replaces the panes with these, left to right. Refused (false, nothing
    // changed) when an identifier repeats or a width is negative.
    bool SetPanes(std::span<const PaneInfo> panes);
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    // Index of the pane with this identifier, -1 when there is none.
    int CommandToIndex(int id) const;
    int GetPaneId(int index) const;

    // The setters answer false for an unknown identifier.
    bool SetPaneText(int id, const QString& text);
    QString GetPaneText(int id) const;
    // A null icon removes the pane's icon.
    bool SetPaneIcon(int id, const QIcon& icon);
    QIcon GetPaneIcon(int id) const;
    bool SetPaneStyle(int id, unsigned style);
    unsigned GetPaneStyle(int id) const;
    bool SetPaneWidth(int id, int width);
    int GetPaneWidth(int id) const;

    // Puts a logo control over the pane (or restyles the one already there).
    bool AddLogoControl(int id, const QString& text, const QColor& textColor, const QFont& font);
    bool SetLogoText(int id, const QString& text);
    QString GetLogoText(int id) const;

    // The pane's window and its logo control, for placing and checking; null when
    // the identifier or the logo is unknown.
    QWidget* GetPaneWidget(int id) const;
    QWidget* GetLogoControl(int id) const;

    // The communication lights: bright green when lit, dark grey-green when not.
    static QIcon LightIcon(bool lit);
    // A memory chip, for the free-memory pane.
    static QIcon MemoryIcon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class CPane;
    class CLogo;

    CPane* FindPane(int id) const;
    void RemovePanes();
    QRect MessageRect() const;

    std::vector<CPane*> m_panes;
};
