#include "vexilla/ListCtrlEx.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QValidator>

namespace {

// Cell attributes live in the items, so they move with their rows and columns.
enum CellRole {
    kStyleRole = Qt::UserRole + 1,
    kLimitRole,
    kInvalidCharsRole,
    kEntriesRole,
    kModifiedRole,
};

CListCtrlEx::EditStyle StyleOf(const QTableWidgetItem& cell) {
    return static_cast<CListCtrlEx::EditStyle>(cell.data(kStyleRole).toInt());
}

Qt::ItemFlags FlagsFor(CListCtrlEx::EditStyle style) {
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return style == CListCtrlEx::kReadOnly ? flags : flags | Qt::ItemIsEditable;
}

bool IsNumberPrefix(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]*\\.?[0-9]*$"));
    return pattern.match(text).hasMatch();
}

bool IsEnterKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

// Refuses, while the user types, the characters of a cell's invalid set and, in a
// numeric cell, whatever cannot begin a decimal number. Whether the number is in
// range is the end-edit handler's business.
class CellTextValidator : public QValidator {
public:
    CellTextValidator(QString refused, bool numeric, QObject* parent)
        : QValidator(parent), m_refused(std::move(refused)), m_numeric(numeric) {}

    State validate(QString& input, int& /*position*/) const override {
        for (const QChar c : input) {
            if (m_refused.contains(c)) {
                return Invalid;
            }
        }
        return !m_numeric || IsNumberPrefix(input) ? Acceptable : Invalid;
    }

private:
    QString m_refused;
    bool m_numeric;
};

// The drop-down entry a cell's text selects: the equal entry, else the first one
// that begins with the text (cells may show only the code of an entry).
int EntryIndexOf(const QComboBox& combo, const QString& text) {
    const int exact = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact >= 0 || text.isEmpty()) {
        return exact;
    }
    return combo.findText(text, Qt::MatchStartsWith | Qt::MatchCaseSensitive);
}

}  // namespace

// Hands the editors' life cycle to the list: which editor a cell gets, what it
// shows, and what happens when the user ends it.
class CListCtrlEx::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(CListCtrlEx& list) : QStyledItemDelegate(&list), m_list(list) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                          const QModelIndex& index) const override {
        return m_list.CreateEditor(parent, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        m_list.LoadEditor(editor, index);
    }
    // Reached when the view itself ends an edit (focus leaves the editor, the
    // current cell changes): the text goes through the owner's check like any other.
    void setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                      const QModelIndex& /*index*/) const override {
        m_list.CommitEditor(editor);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        m_list.ForgetEditor(editor);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        // While the owner checks a text (perhaps behind a message box) the editor
        // must neither commit nor close on the focus it loses.
        if (m_list.m_bEnding) {
            return false;
        }
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor != nullptr && event->type() == QEvent::KeyPress &&
            m_list.FilterEditorKey(editor, static_cast<QKeyEvent*>(event))) {
            return true;
        }
        // The wheel would change a closed drop-down's choice behind the user's back.
        if (event->type() == QEvent::Wheel && qobject_cast<QComboBox*>(object) != nullptr) {
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    CListCtrlEx& m_list;
};

CListCtrlEx::CListCtrlEx(QWidget* parent) : QTableWidget(parent), m_pDelegate(new Delegate(*this)) {
    setItemDelegate(m_pDelegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAlternatingRowColors(true);
    SetAltRowColor(QColor::fromRgb(kDefaultAltRowColor));
}

// An open editor filters its events through the delegate; it is closed while the
// whole list is still alive.
CListCtrlEx::~CListCtrlEx() {
    CancelEdit();
}

QTableWidgetItem* CListCtrlEx::Cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    return item(row, column);
}

QTableWidgetItem* CListCtrlEx::NewCell(const QString& text) const {
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(FlagsFor(kReadOnly));
    return cell;
}

int CListCtrlEx::InsertColumn(int column, const QString& heading, int width) {
    if (column < 0 || column > columnCount()) {
        return -1;
    }
    insertColumn(column);
    setHorizontalHeaderItem(column, new QTableWidgetItem(heading));
    for (int row = 0; row < rowCount(); ++row) {
        setItem(row, column, NewCell(QString()));
    }
    if (width >= 0) {
        setColumnWidth(column, width);
    }
    return column;
}

bool CListCtrlEx::DeleteColumn(int column) {
    if (column < 0 || column >= columnCount()) {
        return false;
    }
    if (GetEditColumn() == column) {
        CancelEdit();
    }
    removeColumn(column);
    return true;
}

QString CListCtrlEx::GetColumnHeading(int column) const {
    const QTableWidgetItem* heading =
        column >= 0 && column < columnCount() ? horizontalHeaderItem(column) : nullptr;
    return heading != nullptr ? heading->text() : QString();
}

bool CListCtrlEx::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= columnCount() || width < 0) {
        return false;
    }
    setColumnWidth(column, width);
    return true;
}

int CListCtrlEx::GetColumnWidth(int column) const {
    return column >= 0 && column < columnCount() ? columnWidth(column) : -1;
}

int CListCtrlEx::InsertItem(int row, const QString& text) {
    return InsertItem(row, QStringList{text});
}

int CListCtrlEx::InsertItem(int row, const QStringList& texts) {
    if (row < 0 || row > rowCount() || columnCount() == 0) {
        return -1;
    }
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column) {
        setItem(row, column, NewCell(texts.value(column)));
    }
    return row;
}

bool CListCtrlEx::DeleteItem(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    if (GetEditRow() == row) {
        CancelEdit();
    }
    removeRow(row);
    return true;
}

void CListCtrlEx::DeleteAllItems() {
    CancelEdit();
    setRowCount(0);
}

bool CListCtrlEx::SetItemText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->setText(text);
    return true;
}

QString CListCtrlEx::GetItemText(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr ? cell->text() : QString();
}

bool CListCtrlEx::SetCellEditStyle(int row, int column, EditStyle style) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr || style < kReadOnly || style > kDropDownList) {
        return false;
    }
    cell->setData(kStyleRole, static_cast<int>(style));
    cell->setFlags(FlagsFor(style));
    return true;
}

CListCtrlEx::EditStyle CListCtrlEx::GetCellEditStyle(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr ? StyleOf(*cell) : kReadOnly;
}

bool CListCtrlEx::SetCellDropDown(int row, int column, const QStringList& entries) {
    if (!SetCellEditStyle(row, column, kDropDownList)) {
        return false;
    }
    Cell(row, column)->setData(kEntriesRole, entries);
    return true;
}

QStringList CListCtrlEx::GetCellDropDown(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr ? cell->data(kEntriesRole).toStringList() : QStringList();
}

bool CListCtrlEx::SetCellLimit(int row, int column, int maxLength) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr || maxLength < 0) {
        return false;
    }
    cell->setData(kLimitRole, maxLength);
    return true;
}

int CListCtrlEx::GetCellLimit(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr ? cell->data(kLimitRole).toInt() : 0;
}

bool CListCtrlEx::SetCellInvalidChars(int row, int column, const QString& chars) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->setData(kInvalidCharsRole, chars);
    return true;
}

QString CListCtrlEx::GetCellInvalidChars(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr ? cell->data(kInvalidCharsRole).toString() : QString();
}

bool CListCtrlEx::EditCell(int row, int column) {
    const QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr || StyleOf(*cell) == kReadOnly || !EndEdit()) {
        return false;
    }
    setCurrentCell(row, column);
    edit(model()->index(row, column), QAbstractItemView::AllEditTriggers, nullptr);
    return IsEditing();
}

bool CListCtrlEx::EndEdit() {
    if (m_pEditor == nullptr) {
        return true;
    }
    if (m_bEnding) {
        return false;  // asked again by the handler that is checking this edit
    }
    QWidget* editor = m_pEditor;
    const EditVerdict verdict = CommitEditor(editor);
    if (editor != m_pEditor) {
        return false;  // the handler closed the editor or removed its cell
    }
    if (verdict == kKeepEditing) {
        editor->setFocus();
        return false;
    }
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return verdict == kAcceptEdit;
}

void CListCtrlEx::CancelEdit() {
    if (m_pEditor != nullptr) {
        closeEditor(m_pEditor, QAbstractItemDelegate::NoHint);
        ForgetEditor(m_pEditor);
    }
}

QWidget* CListCtrlEx::CreateEditor(QWidget* parent, const QModelIndex& index) {
    const QTableWidgetItem* cell = Cell(index.row(), index.column());
    if (cell == nullptr || StyleOf(*cell) == kReadOnly) {
        return nullptr;
    }
    QWidget* editor = StyleOf(*cell) == kDropDownList
                          ? static_cast<QWidget*>(CreateDropDown(parent, *cell))
                          : CreateLineEdit(parent, *cell);
    m_pEditor = editor;
    m_editIndex = index;
    return editor;
}

QLineEdit* CListCtrlEx::CreateLineEdit(QWidget* parent, const QTableWidgetItem& cell) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    const int limit = cell.data(kLimitRole).toInt();
    if (limit > 0) {
        edit->setMaxLength(limit);
    }
    const bool numeric = StyleOf(cell) == kNumericEdit;
    const QString refused = cell.data(kInvalidCharsRole).toString();
    if (numeric || !refused.isEmpty()) {
        edit->setValidator(new CellTextValidator(refused, numeric, edit));
    }
    return edit;
}

// A choice made in the list ends the edit at once, as a click on an entry is the
// whole of the user's answer.
QComboBox* CListCtrlEx::CreateDropDown(QWidget* parent, const QTableWidgetItem& cell) {
    auto* combo = new QComboBox(parent);
    combo->addItems(cell.data(kEntriesRole).toStringList());
    connect(combo, &QComboBox::activated, this, [this, combo] {
        if (combo == m_pEditor) {
            EndEdit();
        }
    });
    return combo;
}

void CListCtrlEx::LoadEditor(QWidget* editor, const QModelIndex& index) const {
    const QString text = GetItemText(index.row(), index.column());
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(EntryIndexOf(*combo, text));
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        // The cell's own text is taken as it is, unchecked, so that every refused
        // keystroke is undone even when that text holds characters typing could not enter.
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(text);
        edit->setValidator(validator);
        edit->selectAll();
    }
}

// A drop-down without a choice leaves the cell's text as it is.
QString CListCtrlEx::EditorText(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        return combo->currentIndex() >= 0 ? combo->currentText()
                                          : GetItemText(m_editIndex.row(), m_editIndex.column());
    }
    auto* edit = qobject_cast<QLineEdit*>(editor);
    return edit != nullptr ? edit->text() : QString();
}

CListCtrlEx::EditVerdict CListCtrlEx::CommitEditor(QWidget* editor) {
    if (m_bEnding || editor == nullptr || editor != m_pEditor || !m_editIndex.isValid()) {
        return kRefuseEdit;
    }
    QString text = EditorText(editor);
    EditVerdict verdict = kAcceptEdit;
    if (m_endEditHandler) {
        const QScopedValueRollback<bool> ending(m_bEnding, true);
        verdict = m_endEditHandler(m_editIndex.row(), m_editIndex.column(), text);
        if (editor != m_pEditor || !m_editIndex.isValid()) {
            return kRefuseEdit;
        }
    }
    if (verdict == kAcceptEdit) {
        StoreEditedText(m_editIndex.row(), m_editIndex.column(), text);
    }
    return verdict;
}

void CListCtrlEx::StoreEditedText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr || cell->text() == text) {
        return;
    }
    cell->setText(text);
    cell->setData(kModifiedRole, true);
}

void CListCtrlEx::ForgetEditor(QWidget* editor) {
    if (editor == m_pEditor) {
        m_pEditor = nullptr;
        m_editIndex = QPersistentModelIndex();
    }
}

// Enter ends the edit through the owner's check (Escape, handled by the view,
// closes it unchanged).
bool CListCtrlEx::FilterEditorKey(QWidget* editor, QKeyEvent* event) {
    if (IsEnterKey(*event)) {
        EndEdit();
        return true;
    }
    auto* combo = qobject_cast<QComboBox*>(editor);
    return combo != nullptr && FilterDropDownKey(combo, event);
}

// A closed drop-down changes its choice only through its list: the keys that
// would step through the entries open the list instead, and typing selects nothing.
bool CListCtrlEx::FilterDropDownKey(QComboBox* combo, QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            if ((event->modifiers() & Qt::AltModifier) != 0) {
                return false;  // the combo box opens its list itself
            }
            combo->showPopup();
            return true;
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_F4:
        case Qt::Key_Space:
            return false;
        default:
            return !event->text().isEmpty();
    }
}

bool CListCtrlEx::IsModified() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (IsRowModified(row)) {
            return true;
        }
    }
    return false;
}

bool CListCtrlEx::IsRowModified(int row) const {
    for (int column = 0; column < columnCount(); ++column) {
        if (IsCellModified(row, column)) {
            return true;
        }
    }
    return false;
}

bool CListCtrlEx::IsCellModified(int row, int column) const {
    const QTableWidgetItem* cell = Cell(row, column);
    return cell != nullptr && cell->data(kModifiedRole).toBool();
}

bool CListCtrlEx::SetCellModified(int row, int column, bool modified) {
    QTableWidgetItem* cell = Cell(row, column);
    if (cell == nullptr) {
        return false;
    }
    cell->setData(kModifiedRole, modified);
    return true;
}

void CListCtrlEx::ClearRowModified(int row) {
    for (int column = 0; column < columnCount(); ++column) {
        SetCellModified(row, column, false);
    }
}

void CListCtrlEx::ClearModified() {
    for (int row = 0; row < rowCount(); ++row) {
        ClearRowModified(row);
    }
}

void CListCtrlEx::SetAltRowColor(const QColor& color) {
    QPalette colors = palette();
    colors.setColor(QPalette::AlternateBase, color);
    setPalette(colors);
}

QColor CListCtrlEx::GetAltRowColor() const {
    return palette().color(QPalette::AlternateBase);
}

// F2 and Enter edit the current cell or, when it is read-only, the row's first
// editable cell: rows are selected whole, so the user need not aim at a column.
void CListCtrlEx::keyPressEvent(QKeyEvent* event) {
    const bool startKey =
        IsEnterKey(*event) || (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier);
    if (startKey && state() != QAbstractItemView::EditingState && StartEditAtCurrent()) {
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

bool CListCtrlEx::StartEditAtCurrent() {
    const int row = currentRow();
    int column = currentColumn();
    if (GetCellEditStyle(row, column) == kReadOnly) {
        column = FirstEditableColumn(row);
    }
    return column >= 0 && EditCell(row, column);
}

int CListCtrlEx::FirstEditableColumn(int row) const {
    for (int column = 0; column < columnCount(); ++column) {
        if (GetCellEditStyle(row, column) != kReadOnly) {
            return column;
        }
    }
    return -1;
}
