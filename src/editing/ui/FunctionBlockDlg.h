#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class CBlock;
class CConfiguration;
class CFBStaticCtrl;
class CLoopEditor;
class CTabFunctList;
class CTabParamList;
class QDialogButtonBox;
class QLabel;
class QTabWidget;

// "Function Block": the block's title line and picture over the pages LINK
// Param, Conf Param, Adj Param and Outputs. The dialog works on a copy of the
// block; the caller applies the pages to the block in the loop once the user
// has pressed OK and something was modified.
class CFunctionBlockDlg : public QDialog {
    Q_OBJECT

public:
    // For an existing block: its pages, filled from a copy of it.
    CFunctionBlockDlg(const CConfiguration& configuration, const CBlock& block, QWidget* parent);
    // For a new block of the current loop: the Functions page first, OK once a
    // free number has been chosen.
    CFunctionBlockDlg(const CConfiguration& configuration, QWidget* parent);
    ~CFunctionBlockDlg() override;

    // Opens the dialog for a block of the view's document and records what
    // OK changed as one undo entry. False when nothing changed (or the block
    // is gone).
    static bool EditBlock(CLoopEditor& view, int blockNumber, QWidget* parent);

    // " BLK-%03d - %s - %s": number, block name, the type's display name.
    static QString TitleOf(const CBlock& block);
    bool IsModified() const;
    void ApplyToBlock(CBlock& block) const;
    CTabParamList* GetPage(int kind) const;
    CTabFunctList* GetFunctionsPage() const { return m_pFunctions; }
    // The new block with what its pages changed; null when none was chosen.
    std::unique_ptr<CBlock> TakeNewBlock();
    void accept() override;

private:
    void Build(const CConfiguration& configuration, bool newBlock);
    void AddPages(const CConfiguration& configuration);
    void OnNewBlock(std::unique_ptr<CBlock> block);
    void EnableOk(bool enable);
    void ShowPicture();
    void OnPageChanged(int index);

    std::unique_ptr<CBlock> m_pBlock;
    std::vector<CTabParamList*> m_pages;
    CTabFunctList* m_pFunctions = nullptr;
    bool m_bHasBlock = false;
    QLabel* m_pTitle = nullptr;
    CFBStaticCtrl* m_pPicture = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    int m_nShownPage = 0;
    bool m_bSwitching = false;
};
