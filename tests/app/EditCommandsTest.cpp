// The editing commands of the main window with the example plant open: the
// menus follow the selection, the undo list drops down from its button and
// undoes several actions at once, and a whole session of edits undone from
// that list leaves the document as it was opened.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <sstream>

#include "app/EditCommands.h"
#include "app/MainFrame.h"
#include "comm/AppSettings.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/BlockListPanel.h"
#include "editing/ui/LoopView.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "support/TestPaths.h"
#include "vexilla/ColorBar.h"
#include "vexilla/ListCtrlEx.h"
#include "vexilla/UndoRedoPopup.h"

namespace {

// Loop names, block order and LINK values of every loop.
std::string LoopsText(const CConfDoc& document) {
    std::ostringstream text;
    for (int n = 1; n <= CConfiguration::kLoopCount; ++n) {
        const CLoop* loop = document.GetLoop(n);
        text << loop->GetName() << "[";
        for (int i = 0; i < loop->GetBlockCount(); ++i) {
            const CBlock* block = loop->GetBlock(i);
            text << block->GetBlockNumber() << "(";
            for (int j = 0; j < block->GetParamListSize(PARAM_LINK); ++j) {
                text << block->GetParamText(PARAM_LINK, j) << ",";
            }
            text << ")";
        }
        text << "]";
    }
    return text.str();
}

class EditCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        m_settingsPath = testing::TempDir() + "/kestrel-edit-test-" +
                         testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::filesystem::remove(m_settingsPath);
        m_settings = std::make_unique<CAppSettings>(m_settingsPath);
        m_frame = std::make_unique<CMainFrame>(*m_settings);
        m_frame->resize(1200, 900);
        m_frame->show();
        ASSERT_TRUE(m_frame->OpenDocument(testpaths::ExamplePlant()));
        m_view = m_frame->GetActiveLoopView();
        // The cases pick and drag with "&Select" (a view starts with the block tool).
        m_view->SetCurrentTool(m_view->GetSelectTool());
        m_document = m_frame->GetActiveDocument();
        QApplication::processEvents();
    }
    void TearDown() override {
        m_document->SetModifiedFlag(false);
        m_frame.reset();
        std::filesystem::remove(m_settingsPath);
    }
    QAction* Action(const char* name) { return m_frame->FindAction(name); }
    QPoint At(const CDrawingObject* object) const {
        const CPoint device = m_view->LPtoDP(object->GetRect().CenterPoint());
        return QPoint(device.x, device.y);
    }
    void DragBy(const CDrawingObject* object, QPoint offset) {
        QWidget* surface = m_view->viewport();
        const QPoint from = At(object);
        QTest::mousePress(surface, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(surface, from + offset / 2);
        QTest::mouseMove(surface, from + offset);
        QTest::mouseRelease(surface, Qt::LeftButton, Qt::NoModifier, from + offset);
    }
    void ClickOn(const CDrawingObject* object, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, modifiers, At(object));
    }

    std::string m_settingsPath;
    std::unique_ptr<CAppSettings> m_settings;
    std::unique_ptr<CMainFrame> m_frame;
    CLoopView* m_view = nullptr;
    CConfDoc* m_document = nullptr;
};

TEST_F(EditCommandsTest, CommandsFollowTheSelection) {
    m_frame->UpdateCommands();
    EXPECT_FALSE(Action("editUndo")->isEnabled());
    EXPECT_FALSE(Action("editCut")->isEnabled());
    EXPECT_FALSE(Action("alignLeft")->isEnabled());
    EXPECT_TRUE(Action("toolSelect")->isChecked());

    ClickOn(m_view->FindBlockNode(39, 1));
    EXPECT_TRUE(Action("editDelete")->isEnabled());
    EXPECT_FALSE(Action("editCut")->isEnabled()) << "a block node cannot be cut";
    EXPECT_TRUE(Action("blockLargest")->isEnabled());
    EXPECT_FALSE(Action("alignLeft")->isEnabled());
    ClickOn(m_view->FindBlockNode(40, 1), Qt::ShiftModifier);
    EXPECT_TRUE(Action("alignLeft")->isEnabled());
    EXPECT_FALSE(Action("spaceHorizontal")->isEnabled());

    Action("editLock")->trigger();
    EXPECT_TRUE(Action("editLock")->isChecked());
    EXPECT_FALSE(Action("toolSelect")->isChecked()) << "no tool is current while locked";
    EXPECT_FALSE(Action("toolSelect")->isEnabled());
}

TEST_F(EditCommandsTest, TheUndoListUndoesThreeActionsInOneStep) {
    std::vector<UndoNotification> notes;
    CUndoManager::Get()->Register(m_document, CUndoManager::kDefaultLimit,
                                  [&notes](CDocument* key, const UndoNotification& note) {
                                      notes.push_back(note);
                                      CUndoManager::SetDocumentModified(key, note);
                                  });
    CConfGraphNode* node = m_view->FindBlockNode(9, 1);
    const CRect start = node->GetRect();
    ClickOn(node);
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(m_view, Qt::Key_Down);
    }
    ASSERT_EQ(CUndoManager::Get()->GetCount(m_document, false), 4);
    notes.clear();

    auto* drop = m_frame->findChild<QToolButton*>("undoDropDown");
    ASSERT_NE(drop, nullptr);
    ASSERT_TRUE(drop->isEnabled());
    QTest::mouseClick(drop, Qt::LeftButton);
    CUndoRedoPopup* popup = m_frame->GetEditCommands().GetOpenPopup();
    ASSERT_NE(popup, nullptr);
    QListWidget* list = popup->GetList();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Move some objects");
    // Point at the third entry and let go there.
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseMove(list->viewport(), third.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    QApplication::processEvents();

    EXPECT_EQ(m_frame->GetEditCommands().GetOpenPopup(), nullptr);
    ASSERT_EQ(notes.size(), 1u) << "one notification for the three";
    EXPECT_EQ(notes[0].count, 3);
    EXPECT_EQ(node->GetRect(), start + CSize(0, 10));
    EXPECT_EQ(CUndoManager::Get()->GetCount(m_document, true), 3);
    EXPECT_FALSE(drop->isDown());
}

TEST_F(EditCommandsTest, ASessionUndoneFromTheListLeavesTheDocumentAsOpened) {
    const std::string opened = LoopsText(*m_document);
    ASSERT_FALSE(m_document->IsModified());

    // Move two nodes, then align them.
    CConfGraphNode* first = m_view->FindBlockNode(77, 1);
    CConfGraphNode* second = m_view->FindBlockNode(40, 1);
    DragBy(first, QPoint(40, 30));
    ClickOn(second);
    ClickOn(first, Qt::ShiftModifier);
    Action("alignTop")->trigger();
    EXPECT_EQ(first->GetRect().top, second->GetRect().top);

    // Delete a block node.
    ClickOn(m_view->FindBlockNode(35, 1));
    QTest::keyClick(m_view, Qt::Key_Delete);
    EXPECT_EQ(m_document->FindBlockByNumber(35), nullptr);

    // Restyle a link: a line colour from the colour box and a wider line.
    CConfGraphNode* output = m_view->FindBlockNode(40, 1);
    CGraphLink* link = nullptr;
    for (CGraphLink* candidate : output->GetLinks()) {
        if (candidate->GetTo() == output) {
            link = candidate;
        }
    }
    ASSERT_NE(link, nullptr);
    m_view->Select(link, false);
    auto* colours = m_frame->findChild<CColorBar*>("colorBar");
    ASSERT_NE(colours, nullptr);
    QTest::mouseClick(colours, Qt::LeftButton, Qt::NoModifier, colours->GetSwatchRect(2).center());
    EXPECT_NE(link->GetLineColor(), RGB(0, 0, 0));
    m_view->Commands().ChangeLineWidth(3);
    EXPECT_TRUE(m_document->IsModified());
    const int entries = CUndoManager::Get()->GetCount(m_document, false);
    EXPECT_EQ(entries, 5);

    // Everything back from the drop-down list: its last entry.
    QTest::mouseClick(m_frame->findChild<QToolButton*>("undoDropDown"), Qt::LeftButton);
    CUndoRedoPopup* popup = m_frame->GetEditCommands().GetOpenPopup();
    ASSERT_NE(popup, nullptr);
    popup->Highlight(entries - 1);
    QTest::keyClick(popup, Qt::Key_Return);
    QApplication::processEvents();

    EXPECT_FALSE(m_document->IsModified());
    EXPECT_EQ(LoopsText(*m_document), opened);
    EXPECT_EQ(link->GetLineColor(), RGB(0, 0, 0));
    EXPECT_EQ(m_frame->FindAction("fileSave")->isEnabled(), false);
}

TEST_F(EditCommandsTest, SavingClearsTheListsAndTheNextEditCanBeUndoneToClean) {
    CConfGraphNode* node = m_view->FindBlockNode(9, 1);
    ClickOn(node);
    QTest::keyClick(m_view, Qt::Key_Right);
    const std::string path = testing::TempDir() + "/kestrel-edit-saved.vxp";
    ASSERT_TRUE(m_document->OnSaveDocument(path));
    EXPECT_EQ(CUndoManager::Get()->GetCount(m_document, false), 0);
    QTest::keyClick(m_view, Qt::Key_Right);
    EXPECT_TRUE(m_document->IsModified());
    Action("editUndo")->trigger();
    EXPECT_FALSE(m_document->IsModified());
    std::filesystem::remove(path);
}

// The block list is hidden at first, appears from the View menu with the
// shown loop's blocks, and follows the loop the tabs choose.
TEST_F(EditCommandsTest, TheBlockListFollowsTheShownLoop) {
    QAction* toggle = Action("viewBlockList");
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    QApplication::processEvents();
    m_frame->UpdateCommands();
    CBlockListPanel& panel = m_frame->GetBlockListPanel();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.List().GetItemCount(), m_document->GetBlockCount(1) + 1);
    m_document->SelectLoop(2, true);
    m_frame->UpdateCommands();
    EXPECT_EQ(panel.List().GetItemCount(), m_document->GetBlockCount(2) + 1);
    EXPECT_EQ(panel.BlockNumberAt(1), m_document->GetBlockAt(1, 2)->GetBlockNumber());
}

}  // namespace
