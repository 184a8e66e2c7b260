// Links drawn in the loop view with the mouse: the block tool hands over to
// the link tool on a node, the port popup is clicked, "?" opens the block's
// picture, the link menu opens on a right click, and a double click on a node
// opens its parameters instead of starting a link.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "editing/LinkTool.h"
#include "editing/LoopCommands.h"
#include "editing/ui/GraphPortSelDlg.h"
#include "editing/ui/PortSelCtrl.h"
#include "model/Block.h"
#include "model/BlockTypeInfo.h"
#include "model/BlockTypeTable.h"
#include "support/ModalAnswerer.h"

namespace {

class LoopViewLinkTest : public LoopViewFixture {
protected:
    void SetUp() override {
        LoopViewFixture::SetUp();
        view->SetCurrentTool(view->GetBlockTool());
        // Two free places on loop 1: an AI feeding a simple PID.
        const int aiType = GetTypeIndexOfBlockNumber(1);
        const int pidType = GetTypeIndexOfBlockNumber(43);
        source = PlaceFree(aiType, CPoint(150, 950));
        destination = PlaceFree(pidType, CPoint(450, 950));
        ASSERT_NE(source, nullptr);
        ASSERT_NE(destination, nullptr);
        view->ClosePendingAction();
        view->DeselectAll();
        // Bring the two nodes into view.
        view->ZoomToLoopObjects();
        QApplication::processEvents();
    }
    CConfGraphNode* PlaceFree(int typeIndex, CPoint centre) {
        for (int number = 1; number <= 125; ++number) {
            if (GetTypeIndexOfBlockNumber(number) == typeIndex &&
                !document.IsBlockNumberUsed(number)) {
                view->Commands().InsertBlock(CBlock::Create(typeIndex, number), -1, centre);
                return dynamic_cast<CConfGraphNode*>(view->GetFirstSelected());
            }
        }
        return nullptr;
    }
    QWidget* Surface() const { return view->viewport(); }
    QPoint Centre(const CDrawingObject* object) const {
        return At(object->GetRect().CenterPoint());
    }
    // A click as the link tool takes it: the release waits for a double click.
    void ClickAndWait(QPoint point) {
        QTest::mouseMove(Surface(), point);
        QTest::mouseClick(Surface(), Qt::LeftButton, Qt::NoModifier, point);
        QTest::qWait(CLoopView::kLinkReleaseDelayMs + 100);
    }
    // Clicks the popup's cell with the text.
    bool ChooseCell(const std::string& text) {
        CPortSelCtrl* popup = view->GetPortPopup();
        if (popup == nullptr || !popup->isVisible()) {
            return false;
        }
        for (int cell = 0; cell < popup->GetCellCount(); ++cell) {
            if (popup->GetCellText(cell) == text) {
                QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier,
                                  popup->CellRect(cell).center());
                QApplication::processEvents();
                return true;
            }
        }
        return false;
    }
    bool ShowsRoute() const {
        const QImage image = view->viewport()->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == QColor(0, 0, 255)) {
                    return true;
                }
            }
        }
        return false;
    }
    std::string LinkValue(const CConfGraphNode* node, const std::string& input) const {
        const CBlock* block = document.FindBlockByNumber(node->GetNumber());
        return block->GetParamText(PARAM_LINK, block->FindLinkParam(input));
    }
    std::string FirstOutput(const CConfGraphNode* node) const {
        return std::to_string(document.FindBlockByNumber(node->GetNumber())->GetOutputAddress(0));
    }

    CConfGraphNode* source = nullptr;
    CConfGraphNode* destination = nullptr;
};

TEST_F(LoopViewLinkTest, ALinkIsDrawnWithClicksOnTheNodesAndThePopupCells) {
    QTest::mouseMove(Surface(), Centre(source));
    EXPECT_EQ(view->GetCurrentTool(), view->GetLinkTool());
    ClickAndWait(Centre(source));
    ASSERT_NE(view->GetPortPopup(), nullptr);
    EXPECT_EQ(view->GetPortPopup()->GetCellText(view->GetPortPopup()->GetCellCount() - 2), "?");
    EXPECT_EQ(view->GetPortPopup()->GetCellText(view->GetPortPopup()->GetCellCount() - 1), "X");
    ASSERT_TRUE(ChooseCell(FirstOutput(source)));

    const QPoint bend = (Centre(source) + Centre(destination)) / 2 + QPoint(0, 60);
    ClickAndWait(bend);
    QTest::mouseMove(Surface(), bend + QPoint(40, 0));
    EXPECT_TRUE(ShowsRoute()) << "the route so far is drawn dotted in blue";
    EXPECT_EQ(view->GetCurrentTool(), view->GetLinkTool()) << "off the nodes while linking";
    ClickAndWait(Centre(destination));
    ASSERT_TRUE(ChooseCell("A"));

    EXPECT_EQ(LinkValue(destination, "A"), FirstOutput(source));
    auto* link = dynamic_cast<CGraphLink*>(view->GetFirstSelected());
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetPath()->GetPointCount(), 3);
    EXPECT_FALSE(view->GetLinkTool()->IsLinking());
}

TEST_F(LoopViewLinkTest, TheQuestionMarkCellPicksTheTerminalInTheBlockPicture) {
    ClickAndWait(Centre(source));
    ASSERT_TRUE(ChooseCell(FirstOutput(source)));
    ClickAndWait(Centre(destination));
    CModalAnswerer<CGraphPortSelDlg> answer([](CGraphPortSelDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Select Input/Output port");
        QComboBox* ports = dialog.GetPortList();
        const int b = ports->findText("B");
        ASSERT_GE(b, 0);
        ports->setCurrentIndex(b);
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    ASSERT_TRUE(ChooseCell("?"));
    QApplication::processEvents();
    EXPECT_TRUE(answer.HasAnswered());
    EXPECT_EQ(LinkValue(destination, "B"), FirstOutput(source));
    EXPECT_EQ(LinkValue(destination, "A"), "0");
}

TEST_F(LoopViewLinkTest, TheCrossCellAndTheMenuCancelTheLink) {
    const int entries = undo.GetCount(&document, false);
    ClickAndWait(Centre(source));
    ASSERT_TRUE(ChooseCell("X"));
    EXPECT_FALSE(view->GetLinkTool()->IsLinking());

    ClickAndWait(Centre(source));
    ASSERT_TRUE(ChooseCell(FirstOutput(source)));
    const QPoint aside = Centre(source) + QPoint(0, 80);
    QTest::mouseMove(Surface(), aside);
    QTest::mouseClick(Surface(), Qt::RightButton, Qt::NoModifier, aside);
    QMenu* menu = view->GetLastMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_EQ(menu->actions()[0]->text(), "Send Link To");
    EXPECT_EQ(menu->actions()[1]->text(), "Communication Link");
    EXPECT_FALSE(menu->actions()[1]->isEnabled()) << "the example has no scan block";
    EXPECT_TRUE(menu->actions()[2]->isSeparator());
    menu->actions()[3]->trigger();
    EXPECT_FALSE(view->GetLinkTool()->IsLinking());
    EXPECT_EQ(undo.GetCount(&document, false), entries);
    EXPECT_EQ(LinkValue(destination, "A"), "0");
}

TEST_F(LoopViewLinkTest, ADoubleClickOnANodeOpensItsParametersAndStartsNoLink) {
    CGraphNode* opened = nullptr;
    view->SetBlockParametersHandler([&](CGraphNode* node) { opened = node; });
    QTest::mouseMove(Surface(), Centre(destination));
    QTest::mouseClick(Surface(), Qt::LeftButton, Qt::NoModifier, Centre(destination));
    QTest::mouseDClick(Surface(), Qt::LeftButton, Qt::NoModifier, Centre(destination));
    QTest::qWait(CLoopView::kLinkReleaseDelayMs + 100);
    // The second release of the double click arrives too; neither starts a link.
    EXPECT_EQ(opened, destination);
    EXPECT_FALSE(view->GetLinkTool()->IsLinking());
    EXPECT_TRUE(view->GetPortPopup() == nullptr || !view->GetPortPopup()->isVisible());
}

}  // namespace
