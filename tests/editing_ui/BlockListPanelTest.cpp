// The block list panel and the Functions page, driven with clicks on their
// rows and buttons over the example's loops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/FunctionBlockDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/TabFunctList.h"
#include "model/Block.h"
#include "model/BlockTypeTable.h"
#include "model/Loop.h"
#include "support/ModalAnswerer.h"
#include "support/TempFolder.h"
#include "support/TestPaths.h"
#include "vexilla/ListCtrlEx.h"

namespace {

std::vector<int> ExecutionOrder(const CConfDoc& document, int loop) {
    std::vector<int> numbers;
    for (int i = 0; i < document.GetBlockCount(loop); ++i) {
        numbers.push_back(document.GetBlockAt(i, loop)->GetBlockNumber());
    }
    return numbers;
}

void ClickRow(CListCtrlEx& list, int row) {
    const QRect cell = list.visualRect(list.model()->index(row, 1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

class BlockListPanelTest : public LoopViewFixture {
protected:
    void SetUp() override {
        LoopViewFixture::SetUp();
        panel.resize(320, 400);
        panel.SetView(view.get());
        panel.show();
        QApplication::processEvents();
    }
    QPushButton* Button(const char* name) { return panel.findChild<QPushButton*>(name); }

    CBlockListPanel panel;
};

TEST_F(BlockListPanelTest, RowsFollowTheExecutionOrderWithAnEndRow) {
    CListCtrlEx& list = panel.List();
    const std::vector<int> order = ExecutionOrder(document, 1);
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(order.size()) + 1);
    EXPECT_EQ(panel.windowTitle(), "Block List - Execution Order");
    EXPECT_EQ(list.GetColumnHeading(0), "Order");
    EXPECT_EQ(list.GetItemText(0, 0), "1");
    EXPECT_EQ(list.GetItemText(3, 1), "APID");
    EXPECT_EQ(list.GetItemText(3, 2), "39");
    EXPECT_EQ(list.GetItemText(static_cast<int>(order.size()), 0), "< end >");
    ClickRow(list, static_cast<int>(order.size()));
    EXPECT_FALSE(Button("delete")->isEnabled()) << "the end row is no block";
    ClickRow(list, 0);
    EXPECT_TRUE(Button("delete")->isEnabled());
    EXPECT_FALSE(Button("up")->isEnabled());
    EXPECT_TRUE(Button("down")->isEnabled());
}

TEST_F(BlockListPanelTest, MovingABlockChangesTheOrderTheSavedFileHolds) {
    std::vector<int> order = ExecutionOrder(document, 1);
    ClickRow(panel.List(), 4);  // APID 040
    QTest::mouseClick(Button("up"), Qt::LeftButton);
    std::swap(order[3], order[4]);
    EXPECT_EQ(ExecutionOrder(document, 1), order);
    EXPECT_EQ(panel.BlockNumberAt(3), 40) << "the selection follows the block";
    EXPECT_NE(document.GetLoop(1)->GetModified() & CLoop::MODIFIED_BLOCKS, 0);
    EXPECT_TRUE(document.IsModified());

    CTempFolder folder;
    const std::string path = folder.File("MOVED.vxp");
    ASSERT_TRUE(document.OnSaveDocument(path));
    CConfDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    EXPECT_EQ(ExecutionOrder(reopened, 1), order);
}

TEST_F(BlockListPanelTest, DeleteRemovesTheBlockWithItsPictureAndUndoBringsBoth) {
    ClickRow(panel.List(), 3);  // APID 039
    QTest::mouseClick(Button("delete"), Qt::LeftButton);
    EXPECT_EQ(document.FindBlockByNumber(39), nullptr);
    EXPECT_EQ(view->FindBlockNode(39, 1), nullptr);
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Delete a block object");
    ASSERT_TRUE(view->Undo(1));
    panel.RefreshIfChanged();
    EXPECT_NE(document.FindBlockByNumber(39), nullptr);
    EXPECT_NE(view->FindBlockNode(39, 1), nullptr);
    EXPECT_EQ(panel.BlockNumberAt(3), 39);
}

TEST_F(BlockListPanelTest, AddMakesANewBlockAndADropPlacesItsPicture) {
    int chosenNumber = 0;
    CModalAnswerer<CFunctionBlockDlg> answer([&](CFunctionBlockDlg& dialog) {
        CTabFunctList* functions = dialog.GetFunctionsPage();
        ASSERT_NE(functions, nullptr);
        CListCtrlEx& list = functions->Functions();
        const int pidType = FindBlockTypeByMnemonic("PID");
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemText(row, 1).startsWith("PID - ")) {
                ClickRow(list, row);
            }
        }
        QListWidgetItem* current = functions->BlockIds().currentItem();
        ASSERT_NE(current, nullptr);
        chosenNumber = current->text().toInt();
        EXPECT_GE(chosenNumber, GetFirstBlockNumber(pidType));
        EXPECT_FALSE(document.IsBlockNumberUsed(chosenNumber)) << "the first free number";
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    QTest::mouseClick(Button("add"), Qt::LeftButton);
    ASSERT_TRUE(answer.HasAnswered());
    ASSERT_NE(chosenNumber, 0);
    const std::vector<int> order = ExecutionOrder(document, 1);
    EXPECT_EQ(order.back(), chosenNumber) << "appended to the loop";
    EXPECT_EQ(view->FindBlockNode(chosenNumber, 1), nullptr) << "no picture yet";

    // The row dragged onto the view: what the drop delivers.
    QMimeData data;
    data.setData(CBlockListPanel::kBlockMimeType, QByteArray::number(chosenNumber));
    const QPointF at(600, 500);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &drop);
    CConfGraphNode* node = view->FindBlockNode(chosenNumber, 1);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(undo.GetDescription(&document, false, 0), "Add a block object");
    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(view->FindBlockNode(chosenNumber, 1), nullptr);
    EXPECT_NE(document.FindBlockByNumber(chosenNumber), nullptr) << "the block stays";
}

TEST_F(BlockListPanelTest, ARowsMenuIsItsNodesWithTheParametersFirst) {
    CListCtrlEx& list = panel.List();
    const QRect cell = list.visualRect(list.model()->index(3, 1));  // APID 039
    QContextMenuEvent event(QContextMenuEvent::Mouse, cell.center(),
                            list.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(list.viewport(), &event);
    QMenu* menu = panel.GetLastMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "BLOCK");
    ASSERT_NE(menu->defaultAction(), nullptr);
    EXPECT_EQ(menu->defaultAction()->text(), "&Edit Parameters...");
    EXPECT_EQ(view->GetSelection(), std::vector<CDrawingObject*>{view->FindBlockNode(39, 1)})
        << "the block's picture is selected";
    menu->hide();
}

TEST(TabFunctList, EachLoopListsTheTypesItMayHold) {
    std::vector<std::string> loopG;
    for (int type : CTabFunctList::ListedTypes(5, CConfiguration::MODEL_VAREX_PLUS)) {
        loopG.push_back(GetBlockTypeMnemonic(type));
    }
    EXPECT_EQ(loopG, (std::vector<std::string>{"PNT", "GV", "K", "SCN", "PRM", "ATU"}));
    const std::vector<int> plain = CTabFunctList::ListedTypes(1, CConfiguration::MODEL_VAREX);
    const std::vector<int> plus = CTabFunctList::ListedTypes(1, CConfiguration::MODEL_VAREX_PLUS);
    const int dit = FindBlockTypeByMnemonic("DIT");
    EXPECT_EQ(std::count(plain.begin(), plain.end(), dit), 0);
    ASSERT_FALSE(plus.empty());
    EXPECT_EQ(plus.back(), dit) << "DIT comes last";
    EXPECT_EQ(plus.size(), plain.size() + 1);
}

TEST(TabFunctList, AFrontViewGroupInUseDisablesAllItsNumbers) {
    RegisterDrawingClasses();
    CConfDoc document;
    ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
    document.SelectLoop(1, false);
    CTabFunctList page(document, nullptr);
    int blocks = 0;
    page.SetBlockListener([&](std::unique_ptr<CBlock> block) { blocks += block ? 1 : 0; });
    page.Refresh();
    CListCtrlEx& list = page.Functions();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, 1).startsWith("FV - ")) {
            list.setCurrentCell(row, 0);
        }
    }
    QListWidget& numbers = page.BlockIds();
    ASSERT_EQ(numbers.count(), 4);
    EXPECT_EQ(numbers.item(0)->text(), "027");
    for (int i = 0; i < numbers.count(); ++i) {
        EXPECT_FALSE(numbers.item(i)->flags() & Qt::ItemIsEnabled) << i;
    }
}

}  // namespace
