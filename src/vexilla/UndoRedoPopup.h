#pragma once

#include <QFrame>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QEventLoop;
class QLabel;
class QListWidget;

// The list that drops down from an undo or redo tool bar button: the actions
// that can be undone (or redone), most recent first. Pointing at an entry, with
// the mouse or the arrow keys, highlights it and every entry above it, since
// those are undone together; a footer says how many ("Undo 3 Actions"). The
// popup ends with that count when the mouse button is released on the list or
// Enter is pressed, and with 0 when it is cancelled (Escape, a click outside,
// the application losing focus).
class CUndoRedoPopup : public QFrame {
public:
    enum Kind { kUndo = 0, kRedo = 1 };
    // Receives the kind and the chosen count once, after the popup has closed.
    using ResultHandler = std::function<void(int kind, int count)>;

    // The popup opens with its top-left corner at screenPos (usually the button's
    // bottom-left corner), kept on the screen.
    CUndoRedoPopup(QWidget* parent, const QPoint& screenPos, const QStringList& actions, int kind);
    ~CUndoRedoPopup() override;

    void SetResultHandler(ResultHandler handler) { m_handler = std::move(handler); }
    // Shows the popup and returns at once; the result goes to the handler.
    void Open();
    // Shows the popup and waits until it closes; answers the chosen count.
    int Exec();

    // Highlights the entry and all above it; -1 highlights nothing.
    void Highlight(int index);
    int GetHighlighted() const { return m_highlighted; }
    int GetKind() const { return m_kind; }
    // The chosen count once the popup has closed; 0 before.
    int GetCount() const { return m_count; }
    bool IsFinished() const { return m_finished; }
    QString GetFooterText() const;
    QListWidget* GetList() const { return m_pList; }

    // "Undo 1 Action", "Redo 3 Actions"; "Cancel" for no action.
    static QString FooterText(int kind, int count);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FitSize();
    void PlaceOnScreen();
    bool HandleListMouse(QEvent* event);
    void Finish(int count);

    int m_kind;
    QPoint m_screenPos;
    QListWidget* m_pList;
    QLabel* m_pFooter;
    ResultHandler m_handler;
    QEventLoop* m_pLoop = nullptr;
    int m_highlighted = -1;
    int m_count = 0;
    bool m_finished = false;
};
