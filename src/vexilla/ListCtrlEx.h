#pragma once

#include <QColor>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <functional>

class QComboBox;
class QKeyEvent;
class QLineEdit;

// A list of rows under column headings whose cells the user edits in place.
// Every cell has its own edit style (read-only, free text, number or drop-down
// list), a maximum length and a set of characters refused while typing. A cell
// the user changes is marked modified until the owner clears it. The owner may
// check every ended edit and refuse it; the cell then keeps its old text.
// Rows are selected whole and alternate with a light colour.
class CListCtrlEx : public QTableWidget {
public:
    enum EditStyle { kReadOnly = 0, kEdit = 1, kNumericEdit = 2, kDropDownList = 3 };

    // The owner's answer to an ended edit.
    enum EditVerdict {
        kAcceptEdit,   // the cell takes the (possibly rewritten) text
        kRefuseEdit,   // the editor closes; the cell keeps its old text
        kKeepEditing,  // the cell keeps its old text; the editor stays open for a correction
    };
    // Called when the user ends an edit; text is the edited text and may be
    // rewritten (normalised) before it is accepted. When the edit ends because the
    // focus left the editor, kKeepEditing acts as kRefuseEdit.
    using EndEditHandler = std::function<EditVerdict(int row, int column, QString& text)>;

    static constexpr QRgb kDefaultAltRowColor = qRgb(253, 255, 199);

    explicit CListCtrlEx(QWidget* parent = nullptr);
    ~CListCtrlEx() override;

    // Columns. A negative width keeps the default width. Answer the new column's
    // index, -1 when the index is out of range.
    int InsertColumn(int column, const QString& heading, int width = -1);
    bool DeleteColumn(int column);
    int GetColumnCount() const { return columnCount(); }
    QString GetColumnHeading(int column) const;
    bool SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;

    // Rows. texts fills the cells from the first column on; cells start read-only.
    // Answer the new row's index, -1 when the index is out of range.
    int InsertItem(int row, const QString& text);
    int InsertItem(int row, const QStringList& texts);
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;

    // Per-cell editing. A limit of 0 means no limit. SetCellDropDown makes the
    // cell a drop-down list with these entries.
    bool SetCellEditStyle(int row, int column, EditStyle style);
    EditStyle GetCellEditStyle(int row, int column) const;
    bool SetCellDropDown(int row, int column, const QStringList& entries);
    QStringList GetCellDropDown(int row, int column) const;
    bool SetCellLimit(int row, int column, int maxLength);
    int GetCellLimit(int row, int column) const;
    bool SetCellInvalidChars(int row, int column, const QString& chars);
    QString GetCellInvalidChars(int row, int column) const;

    void SetEndEditHandler(EndEditHandler handler) { m_endEditHandler = std::move(handler); }
    // Opens the editor of a cell that is not read-only, ending a pending edit
    // first; false when the pending edit is not accepted or the cell is read-only.
    bool EditCell(int row, int column);
    // Ends the pending edit as the user would with Enter. True when there is
    // none or its text was accepted.
    bool EndEdit();
    // Closes the pending editor; the cell keeps its text.
    void CancelEdit();
    bool IsEditing() const { return m_pEditor != nullptr; }
    QWidget* GetEditor() const { return m_pEditor; }
    int GetEditRow() const { return IsEditing() ? m_editIndex.row() : -1; }
    int GetEditColumn() const { return IsEditing() ? m_editIndex.column() : -1; }

    // Modified marks, set by accepted user edits that change a cell's text.
    bool IsModified() const;
    bool IsRowModified(int row) const;
    bool IsCellModified(int row, int column) const;
    bool SetCellModified(int row, int column, bool modified);
    void ClearRowModified(int row);
    void ClearModified();

    void EnableAltRowColors(bool enable) { setAlternatingRowColors(enable); }
    void SetAltRowColor(const QColor& color);
    QColor GetAltRowColor() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Delegate;

    QTableWidgetItem* Cell(int row, int column) const;
    QTableWidgetItem* NewCell(const QString& text) const;
    QWidget* CreateEditor(QWidget* parent, const QModelIndex& index);
    QLineEdit* CreateLineEdit(QWidget* parent, const QTableWidgetItem& cell) const;
    QComboBox* CreateDropDown(QWidget* parent, const QTableWidgetItem& cell);
    void LoadEditor(QWidget* editor, const QModelIndex& index) const;
    QString EditorText(QWidget* editor) const;
    EditVerdict CommitEditor(QWidget* editor);
    void StoreEditedText(int row, int column, const QString& text);
    void ForgetEditor(QWidget* editor);
    bool FilterEditorKey(QWidget* editor, QKeyEvent* event);
    bool FilterDropDownKey(QComboBox* combo, QKeyEvent* event);
    bool StartEditAtCurrent();
    int FirstEditableColumn(int row) const;

    EndEditHandler m_endEditHandler;
    Delegate* m_pDelegate;
    QPointer<QWidget> m_pEditor;
    QPersistentModelIndex m_editIndex;
    bool m_bEnding = false;  // the end-edit handler is running
};
