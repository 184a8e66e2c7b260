#pragma once

#include "editing/ui/ParamListDlg.h"
#include "vexilla/ListCtrlEx.h"

class CBlock;

// A parameter list as a page of the block dialog: every ended edit is checked
// and stored in the block the dialog works on, and once the dialog is done the
// list's values are applied to the block in the loop.
class CTabParamList : public CParamListDlg {
public:
    CTabParamList(int kind, const CConfiguration& configuration, CBlock& block, QWidget* parent);

    // Refills the list from the block the dialog works on.
    void Refill();
    // Checks and stores one cell; kKeepEditing leaves the editor open for a
    // correction after the user has been told why.
    CListCtrlEx::EditVerdict OnEndEdit(int row, int column, QString& text);
    // Writes the list into a block, only when the list was modified.
    void ApplyToBlock(CBlock& block) const;
    bool IsModified() const { return m_bModified; }
    // Ends an open edit; false when the text was refused and the editor stays.
    bool EndPendingEdit();
    // Called after each accepted edit (the dialog enables OK).
    void SetChangeListener(std::function<void()> listener) { m_onChange = std::move(listener); }

private:
    CListCtrlEx::EditVerdict EndLinkEdit(int row, QString& text);
    CListCtrlEx::EditVerdict EndValueEdit(int row, QString& text);
    CListCtrlEx::EditVerdict EndUserTagEdit(int row, const QString& text);
    CListCtrlEx::EditVerdict Refuse(unsigned messageId);
    std::vector<std::string> ShownUserTags() const;

    CBlock& m_block;
    bool m_bModified = false;
    std::function<void()> m_onChange;
};
