// The block dialog opened on a node of the example and filled in the way the
// user does it: a double click on a cell, typing, Enter, a choice in a list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/ParamChoices.h"
#include "editing/UndoManager.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabParamList.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "platform/MessageBox.h"
#include "support/ModalAnswerer.h"
#include "support/TestPaths.h"
#include "vexilla/ListCtrlEx.h"

namespace {

// Records the messages shown while it lives and answers each with OK.
class ShownMessages {
public:
    ShownMessages() {
        SetMessageBoxHandler([this](const std::string& text, unsigned /*type*/) {
            seen.push_back(text);
            return IDOK;
        });
    }
    ~ShownMessages() { SetMessageBoxHandler(nullptr); }
    std::vector<std::string> seen;
};

// The row whose first column reads text (the mnemonic, padded or not).
int RowOf(const CListCtrlEx& list, const QString& text) {
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 0).trimmed() == text) {
            return row;
        }
    }
    return -1;
}

// A double click on the cell opens its editor.
QWidget* OpenCell(CListCtrlEx& list, int row, int column) {
    const QRect cell = list.visualRect(list.model()->index(row, column));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    return list.GetEditor();
}

void TypeIntoCell(CListCtrlEx& list, int row, int column, const QString& text) {
    QWidget* editor = OpenCell(list, row, column);
    ASSERT_NE(qobject_cast<QLineEdit*>(editor), nullptr);
    qobject_cast<QLineEdit*>(editor)->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

void ShowPage(CFunctionBlockDlg& dialog, int index) {
    auto* tabs = dialog.findChild<QTabWidget*>("tabs");
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}

void PressOk(CFunctionBlockDlg& dialog) {
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ASSERT_TRUE(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
}

class FunctionBlockDlgTest : public LoopViewFixture {
protected:
    // A double click on the node's shape, as the user opens the dialog (the
    // first click of it selects the node).
    void DoubleClickNode(int blockNumber) {
        CConfGraphNode* node = view->FindBlockNode(blockNumber, 1);
        ASSERT_NE(node, nullptr);
        const QPoint at = At(node->GetShape()->GetRect().CenterPoint());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    std::string Param(int blockNumber, int kind, const std::string& mnemonic) {
        const CBlock* block = document.FindBlockByNumber(blockNumber);
        for (int j = 0; j < block->GetParamListSize(kind); ++j) {
            if (block->GetParam(kind, j)->GetMnemonic() == mnemonic) {
                return block->GetParamText(kind, j);
            }
        }
        return "?";
    }
};

TEST_F(FunctionBlockDlgTest, AGainOutOfRangeIsRefusedThenAcceptedAndUndone) {
    const std::string before = Param(39, PARAM_CONF, "CARU");
    ShownMessages boxes;
    QString title;
    QStringList tabs;
    QString shownAfterEdit;
    bool editorStayed = false;
    CModalAnswerer<CFunctionBlockDlg> answer([&](CFunctionBlockDlg& dialog) {
        title = dialog.findChild<QLabel*>("title")->text();
        auto* pages = dialog.findChild<QTabWidget*>("tabs");
        for (int i = 0; i < pages->count(); ++i) {
            tabs << pages->tabText(i);
        }
        ShowPage(dialog, 1);
        CListCtrlEx& list = dialog.GetPage(PARAM_CONF)->List();
        const int row = RowOf(list, "CARU");
        ASSERT_GE(row, 0);
        TypeIntoCell(list, row, 1, "103");
        editorStayed = list.IsEditing();
        auto* editor = qobject_cast<QLineEdit*>(list.GetEditor());
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, "101");
        QTest::keyClick(editor, Qt::Key_Return);
        shownAfterEdit = list.GetItemText(row, 1);
        PressOk(dialog);
    });
    DoubleClickNode(39);
    ASSERT_TRUE(answer.HasAnswered());
    EXPECT_TRUE(title.startsWith(" BLK-039 - APID - ")) << title.toStdString();
    EXPECT_EQ(tabs, (QStringList{"LINK Param", "Conf Param", "Adj Param", "Outputs"}));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].find("Value is out of range."), std::string::npos);
    EXPECT_TRUE(editorStayed) << "the editor stays open for a correction";
    EXPECT_EQ(shownAfterEdit, "101.");
    EXPECT_EQ(Param(39, PARAM_CONF, "CARU"), "101.");
    EXPECT_TRUE(document.FindBlockByNumber(39)->IsChanged()) << "marked for sending";
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Edit block parameters");

    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(Param(39, PARAM_CONF, "CARU"), before);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(FunctionBlockDlgTest, ALinkChosenFromTheListRedrawsTheLinkAndUndoPutsItBack) {
    CBlock* target = document.FindBlockByNumber(40);
    const int input = 0;
    const std::string valueBefore = target->GetParamText(PARAM_LINK, input);
    QString defaultTag;
    QString userTag;
    CModalAnswerer<CFunctionBlockDlg> answer([&](CFunctionBlockDlg& dialog) {
        CListCtrlEx& list = dialog.GetPage(PARAM_LINK)->List();
        auto* combo = qobject_cast<QComboBox*>(OpenCell(list, input, 1));
        ASSERT_NE(combo, nullptr);
        const int entry = combo->findText("047 (APID-039)");
        ASSERT_GT(entry, 0);
        combo->setCurrentIndex(entry);
        QTest::keyClick(combo, Qt::Key_Return);
        defaultTag = list.GetItemText(input, 2);
        userTag = list.GetItemText(input, 3);
        PressOk(dialog);
    });
    DoubleClickNode(40);
    ASSERT_TRUE(answer.HasAnswered());
    EXPECT_EQ(target->GetLinkValue(input), 47);
    EXPECT_EQ(defaultTag, "APID039.OUT047");
    EXPECT_EQ(userTag.toStdString(), document.FindBlockByNumber(39)->GetUserTagByAddress(47));
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    bool drawn = false;
    for (CGraphLink* link : node->GetLinks()) {
        drawn = drawn || (link->GetTo() == node && link->GetFrom() == view->FindBlockNode(39, 1) &&
                          link->GetOutPortText() == "47");
    }
    EXPECT_TRUE(drawn) << "the drawing follows the LINK value";

    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(target->GetParamText(PARAM_LINK, input), valueBefore);
    EXPECT_FALSE(document.IsModified());
    ASSERT_TRUE(view->Redo(1));
    EXPECT_EQ(target->GetLinkValue(input), 47);
    EXPECT_EQ(document.FindBlockByNumber(40), target) << "the block stays the same object";
}

TEST_F(FunctionBlockDlgTest, CancelAndUnchangedDialogsRecordNothing) {
    CModalAnswerer<CFunctionBlockDlg> cancel([&](CFunctionBlockDlg& dialog) {
        CListCtrlEx& list = dialog.GetPage(PARAM_LINK)->List();
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        EXPECT_FALSE(ok->isEnabled()) << "nothing to apply yet";
        EXPECT_GT(list.GetItemCount(), 0);
        dialog.reject();
    });
    DoubleClickNode(39);
    ASSERT_TRUE(cancel.HasAnswered());
    EXPECT_FALSE(view->CanUndo());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(FunctionBlockDlgTest, ARefusedEditKeepsTheUserOnItsPage) {
    const CBlock& block = *document.FindBlockByNumber(39);
    CFunctionBlockDlg dialog(document, block, nullptr);
    dialog.show();
    ShownMessages boxes;
    ShowPage(dialog, PARAM_CONF);
    CListCtrlEx& list = dialog.GetPage(PARAM_CONF)->List();
    TypeIntoCell(list, RowOf(list, "CARU"), 1, "103");
    ASSERT_TRUE(list.IsEditing());
    ShowPage(dialog, PARAM_ADJ);
    EXPECT_EQ(dialog.findChild<QTabWidget*>("tabs")->currentIndex(), PARAM_CONF);
    EXPECT_EQ(boxes.seen.size(), 2u) << "told again as the page was left";
    list.CancelEdit();
    ShowPage(dialog, PARAM_ADJ);
    EXPECT_EQ(dialog.findChild<QTabWidget*>("tabs")->currentIndex(), PARAM_ADJ);
    EXPECT_FALSE(dialog.IsModified());
}

// The pages on their own, over a block of each kind the example holds.
class TabParamListTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
    }
    CConfDoc document;
};

TEST_F(TabParamListTest, UserTagsMustDifferFromTheOtherOutputsInAnyCase) {
    auto block = document.FindBlockByNumber(39)->Clone();
    ASSERT_GE(block->GetOutputCount(), 2);
    CTabParamList page(CParamListDlg::kOutputs, document, *block, nullptr);
    page.resize(600, 300);
    page.show();
    ShownMessages boxes;
    CListCtrlEx& list = page.List();
    TypeIntoCell(list, 0, 1, "FIC101");
    TypeIntoCell(list, 1, 1, "fic101");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_NE(boxes.seen[0].find("This user TAG already exist."), std::string::npos);
    EXPECT_TRUE(list.IsEditing());
    list.CancelEdit();
    EXPECT_EQ(block->GetUserTag(0), "FIC101");
    EXPECT_TRUE(page.IsModified());

    auto applied = document.FindBlockByNumber(39)->Clone();
    page.ApplyToBlock(*applied);
    EXPECT_EQ(applied->GetUserTag(0), "FIC101");
    EXPECT_EQ(applied->GetUserTag(1), document.FindBlockByNumber(39)->GetUserTag(1));
}

TEST_F(TabParamListTest, RowsShowTheirColumnsAndTheLinkTags) {
    const CBlock& block = *document.FindBlockByNumber(40);
    auto copy = block.Clone();
    CTabParamList links(CParamListDlg::kLink, document, *copy, nullptr);
    EXPECT_EQ(links.List().GetColumnCount(), 5);
    EXPECT_EQ(links.List().GetColumnHeading(2), "Default TAG");
    EXPECT_EQ(links.List().GetItemCount(), block.GetParamListSize(PARAM_LINK));
    for (int j = 0; j < block.GetParamListSize(PARAM_LINK); ++j) {
        const int address = block.GetLinkValue(j);
        const CBlock* source = document.FindBlockByOutput(address);
        const QString expected =
            address > 0 && source ? QString::fromStdString(source->GetOutputNameByAddress(address))
                                  : QString();
        EXPECT_EQ(links.List().GetItemText(j, 2), expected) << j;
        EXPECT_EQ(links.List().GetCellEditStyle(j, 1), CListCtrlEx::kDropDownList);
    }
    CTabParamList outputs(CParamListDlg::kOutputs, document, *copy, nullptr);
    EXPECT_EQ(outputs.List().GetColumnHeading(0), "Default TAG");
    EXPECT_EQ(outputs.List().GetCellLimit(0, 1), 17);
    CTabParamList conf(CParamListDlg::kConf, document, *copy, nullptr);
    EXPECT_EQ(conf.List().GetColumnCount(), 3);
}

TEST(ParamChoices, LinkEntriesAndTheOptionTables) {
    RegisterDrawingClasses();
    CConfDoc document;
    ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
    const std::vector<std::string> links = CParamChoices::LinkEntries(document);
    ASSERT_FALSE(links.empty());
    EXPECT_EQ(links.front(), "0 - None");
    EXPECT_NE(std::find(links.begin(), links.end(), "047 (APID-039)"), links.end());
    EXPECT_EQ(CParamChoices::LinkValueOf("047 (APID-039)"), 47);

    const std::vector<std::string>& atu = CParamChoices::AtuOptions();
    ASSERT_EQ(atu.size(), 40u);
    EXPECT_EQ(atu[0], "L/R-031");
    EXPECT_EQ(atu[4], "SPG-075");
    EXPECT_EQ(atu[20], "APID-039 (AMXD)");
    EXPECT_EQ(atu[24], "ALM-077 (ARG1)");
    EXPECT_EQ(atu[25], "ALM-077 (ARG2)");
    EXPECT_EQ(atu[39], "LIMT-084 (ABH)");

    auto prm = CBlock::Create(GetTypeIndexOfBlockNumber(120), 120);
    const std::vector<std::string> scan = CParamChoices::OptionEntries(*prm, PARAM_CONF, 1);
    ASSERT_EQ(scan.size(), 9u);
    EXPECT_EQ(scan[0], "0 = Stop Scan");
    EXPECT_EQ(scan[4], "4 = APID-042");
    EXPECT_EQ(scan[5], "5 = PID-043");
    EXPECT_TRUE(CParamChoices::OptionEntries(*prm, PARAM_CONF, 0).empty());

    auto tuner = CBlock::Create(GetTypeIndexOfBlockNumber(121), 121);
    const std::vector<std::string> modes = CParamChoices::OptionEntries(*tuner, PARAM_CONF, 13);
    ASSERT_EQ(modes.size(), 4u);
    EXPECT_EQ(modes[0], "0 = A/M-035");
    if (tuner->GetParamListSize(PARAM_ADJ) > 0) {
        const std::vector<std::string> limits = CParamChoices::OptionEntries(*tuner, PARAM_ADJ, 0);
        ASSERT_EQ(limits.size(), 21u);
        EXPECT_EQ(limits[1], "1 = APID-039 (AMXD)");
    }
}

}  // namespace
