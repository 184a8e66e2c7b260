#pragma once

#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <string>

class CBlock;
class CConfGraphNode;
class CListCtrlEx;
class CLoopView;
class QPushButton;

// "Block List - Execution Order": the blocks of the shown loop in the order
// the controller runs them, rows of blocks with a picture on the drawing
// marked, and a last "< end >" row. Add makes a new block through the block
// dialog, Delete removes one as an undoable "Delete a block object", the
// arrows move a block one place in the execution order. A row whose block
// has no picture yet can be dragged onto the loop view to place its node.
class CBlockListPanel : public QWidget {
    Q_OBJECT

public:
    // Mime type of a dragged row: the block number as text.
    static constexpr const char* kBlockMimeType = "application/x-kestrel-block-number";

    explicit CBlockListPanel(QWidget* parent = nullptr);

    // The loop view whose loop is listed (none when no document is open).
    void SetView(CLoopView* view);
    // Rebuilds the rows; RefreshIfChanged only when the loop's blocks, their
    // order or their pictures are not what the rows show.
    void Refresh();
    void RefreshIfChanged();

    CListCtrlEx& List() { return *m_pList; }
    // The block number of a row, 0 for the end row or none.
    int BlockNumberAt(int row) const;
    QMenu* GetLastMenu() const { return m_pLastMenu; }

    void AddBlock();
    void DeleteSelected();
    void MoveSelected(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string Signature() const;
    void UpdateButtons();
    void ShowRowMenu(const QPoint& at);
    QMenu* BuildNodeMenu(CConfGraphNode* node);
    QMenu* BuildBlockMenu(int blockNumber);
    void StartDrag(int row);
    int SelectedRow() const;
    void SelectBlock(int blockNumber);

    QPointer<CLoopView> m_pView;
    CListCtrlEx* m_pList = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pUp = nullptr;
    QPushButton* m_pDown = nullptr;
    QPointer<QMenu> m_pLastMenu;
    std::string m_strShown;
    QPoint m_pressAt;
};
