#pragma once

#include <QWidget>
#include <vector>

class CBlock;
class CConfiguration;
class CListCtrlEx;

// One list of a block's parameters (LINK, CONF or ADJ) or of its outputs,
// with the cell editors each row takes: every output of the configuration for
// a LINK input, the option lists of the PRM and ATU blocks, limited texts for
// display names, messages and user tags, numbers for the rest.
class CParamListDlg : public QWidget {
public:
    enum Kind : int { kLink = 0, kConf = 1, kAdj = 2, kOutputs = 3 };
    // Fields of the column headings text, in their order there.
    enum Field : int { kParam = 0, kValue = 1, kDescription = 2, kDefaultTag = 3, kUserTag = 4 };

    CParamListDlg(int kind, const CConfiguration& configuration, QWidget* parent);

    int GetKind() const { return m_nKind; }
    CListCtrlEx& List() { return *m_pList; }
    const CListCtrlEx& List() const { return *m_pList; }
    // Rebuilds the rows from the block.
    void FillList(const CBlock& block);
    // A list that is only looked at (while monitoring) offers no editors.
    void SetEditable(bool editable) { m_bEditable = editable; }
    bool IsEditable() const { return m_bEditable; }
    // The column showing a field, -1 when this kind shows none.
    int ColumnOf(Field field) const;

protected:
    const CConfiguration& Configuration() const { return m_configuration; }
    // Name and user tag of the output at a LINK value, from all loops.
    void ShowLinkTags(int row, int address);

private:
    void CreateColumns();
    void FillParamRows(const CBlock& block);
    void FillOutputRows(const CBlock& block);
    void SetValueEditor(const CBlock& block, int row);

    int m_nKind;
    const CConfiguration& m_configuration;
    bool m_bEditable = true;
    std::vector<Field> m_columns;
    CListCtrlEx* m_pList = nullptr;
};
