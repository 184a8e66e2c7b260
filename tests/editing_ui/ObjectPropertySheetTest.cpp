// The properties of single objects, opened the way a user does (a right click
// and "Properties...") and filled in with the keyboard and the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "LoopViewFixture.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawLine.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "diagram/DrawingClasses.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/ObjectPropertySheet.h"
#include "support/TestPaths.h"

namespace {

QStringList TabTitles(const QDialog& dialog) {
    QStringList titles;
    if (auto* tabs = dialog.findChild<QTabWidget*>("pages")) {
        for (int i = 0; i < tabs->count(); ++i) {
            titles << tabs->tabText(i);
        }
    }
    return titles;
}

// A click on the page's tab, as the user turns to it.
void ShowPage(QDialog& dialog, int index) {
    auto* tabs = dialog.findChild<QTabWidget*>("pages");
    ASSERT_NE(tabs, nullptr);
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    ASSERT_EQ(tabs->currentIndex(), index);
}

// The middle of an object's left side: unfilled shapes answer on their outline.
CPoint LeftEdge(const CDrawingObject& object) {
    const CRect rect = object.GetRect();
    return CPoint(rect.left, rect.CenterPoint().y);
}

void ClickButton(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(which), Qt::LeftButton);
}

class ObjectPropertySheetTest : public LoopViewFixture {
protected:
    // A right click on the point and "Properties..." from its menu; fill
    // works in the dialog once it is open and must close it.
    void OpenProperties(QPoint at, const std::function<void(QDialog&)>& fill) {
        QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, at);
        QMenu* menu = view->GetLastMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(menu->defaultAction(), nullptr);
        WhenDialogOpens(fill);
        menu->defaultAction()->trigger();
        menu->hide();
    }
    void WhenDialogOpens(const std::function<void(QDialog&)>& fill) {
        QTimer::singleShot(0, [fill] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no dialog opened";
            fill(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
    }
    // A rectangle of the visible page where nothing answers a click yet.
    CRect FreeArea(int width, int height) {
        for (int y = 20; y + height < 750; y += 20) {
            for (int x = 20; x + width < 950; x += 20) {
                const CRect area(x, y, x + width, y + height);
                if (IsFree(area)) {
                    return area;
                }
            }
        }
        ADD_FAILURE() << "no free area on the page";
        return CRect(0, 0, width, height);
    }
    bool IsFree(const CRect& area) {
        for (int y = area.top - 10; y <= area.bottom + 10; y += 5) {
            for (int x = area.left - 10; x <= area.right + 10; x += 5) {
                if (view->ObjectAt(CPoint(x, y)) != nullptr) {
                    return false;
                }
            }
        }
        return true;
    }
    template <class T>
    T* Place(std::unique_ptr<T> object) {
        T* placed = object.get();
        object->SetLoop(view->GetLoopNumber());
        view->AddObject(std::move(object));
        return placed;
    }
    std::string LastAction() { return undo.GetDescription(&document, false, 0); }
};

TEST_F(ObjectPropertySheetTest, ABlockGetsLineFillAndTextPagesAndOneUndoEntry) {
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    ASSERT_NE(node, nullptr);
    const LOGPEN penBefore = node->GetShape()->GetLogPen();
    const LOGFONT fontBefore = node->GetNameLabel()->GetLogFont();
    QString title;
    QString heading;
    QStringList tabs;
    OpenProperties(At(node->GetShape()->GetRect().CenterPoint()), [&](QDialog& dialog) {
        title = dialog.windowTitle();
        heading = dialog.findChild<QLabel*>("heading")->text();
        tabs = TabTitles(dialog);
        auto* width = dialog.findChild<QSpinBox*>("penWidth");
        width->setFocus();
        QTest::keyClick(width, Qt::Key_Up);
        QTest::keyClick(width, Qt::Key_Up);
        ShowPage(dialog, 2);
        auto* bold = dialog.findChild<QCheckBox*>("bold");
        QTest::mouseClick(bold, Qt::LeftButton, Qt::NoModifier, QPoint(4, bold->height() / 2));
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(title, "Block Properties");
    EXPECT_TRUE(heading.startsWith("BLK-040 - ")) << heading.toStdString();
    EXPECT_EQ(tabs, (QStringList{"Line", "Fill", "Text"}));
    EXPECT_EQ(node->GetShape()->GetLogPen().lopnWidth.x, penBefore.lopnWidth.x + 2);
    const bool boldBefore = fontBefore.lfWeight >= 600;
    EXPECT_EQ(node->GetNameLabel()->GetLogFont().lfWeight >= 600, !boldBefore);
    EXPECT_EQ(node->GetNumberLabel()->GetLogFont().lfWeight >= 600, !boldBefore)
        << "both labels take the text page";
    EXPECT_EQ(LastAction(), "Edit block properties");
    EXPECT_TRUE(document.IsModified());

    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(node->GetShape()->GetLogPen(), penBefore);
    EXPECT_EQ(node->GetNameLabel()->GetLogFont(), fontBefore);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ObjectPropertySheetTest, OkWithoutChangesOrCancelRecordsNothing) {
    CConfGraphNode* node = view->FindBlockNode(40, 1);
    const QPoint centre = At(node->GetShape()->GetRect().CenterPoint());
    OpenProperties(centre, [](QDialog& dialog) { ClickButton(dialog, QDialogButtonBox::Ok); });
    OpenProperties(centre, [](QDialog& dialog) {
        QTest::keyClick(dialog.findChild<QSpinBox*>("penWidth"), Qt::Key_Up);
        ClickButton(dialog, QDialogButtonBox::Cancel);
    });
    EXPECT_FALSE(view->CanUndo());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(ObjectPropertySheetTest, ShapesShowTheirPagesAndApplyPenAndBrush) {
    const CRect area = FreeArea(200, 160);
    auto* box = Place(std::make_unique<CDrawRectangle>(CRect(area.TopLeft(), CSize(200, 100))));
    const CPoint lineStart(area.left, area.bottom);
    auto* line = Place(std::make_unique<CDrawLine>(lineStart, lineStart + CSize(200, 0)));
    ASSERT_EQ(view->ObjectAt(LeftEdge(*box)), box);

    QString title;
    QStringList tabs;
    OpenProperties(At(LeftEdge(*box)), [&](QDialog& dialog) {
        title = dialog.windowTitle();
        tabs = TabTitles(dialog);
        auto* hatch = dialog.findChild<QComboBox*>("hatchStyle");
        EXPECT_FALSE(hatch->isEnabled()) << "a solid brush has no hatch";
        auto* style = dialog.findChild<QComboBox*>("brushStyle");
        style->setCurrentIndex(2);  // BS_HATCHED
        EXPECT_TRUE(hatch->isEnabled());
        hatch->setCurrentIndex(4);  // HS_CROSS
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(title, "Graphic Properties");
    EXPECT_EQ(tabs, (QStringList{"Line", "Fill"}));
    EXPECT_EQ(box->GetLogBrush().lbStyle, static_cast<uint32_t>(BS_HATCHED));
    EXPECT_EQ(box->GetLogBrush().lbHatch, 4u);
    EXPECT_EQ(LastAction(), "Edit filled shape properties");

    OpenProperties(At(lineStart + CSize(100, 0)), [&](QDialog& dialog) {
        tabs = TabTitles(dialog);
        dialog.findChild<QComboBox*>("penStyle")->setCurrentIndex(1);  // PS_DASH
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(tabs, QStringList{"Line"});
    EXPECT_EQ(line->GetLogPen().lopnStyle, static_cast<uint32_t>(PS_DASH));
    EXPECT_EQ(LastAction(), "Edit line properties");
    ASSERT_TRUE(view->Undo(2));
    EXPECT_EQ(box->GetLogBrush().lbStyle, static_cast<uint32_t>(BS_SOLID));
}

TEST_F(ObjectPropertySheetTest, TextIsEditedInTheTextEntryDialog) {
    const CRect area = FreeArea(300, 60);
    auto* text =
        Place(std::make_unique<CDrawText>(CRect(area.TopLeft(), CSize(200, 40)), "Feed pump"));
    text->SetText("Feed pump", true);
    const CRect rectBefore = text->GetRect();
    bool okWhileEmpty = true;
    ASSERT_EQ(view->ObjectAt(LeftEdge(*text)), text);
    OpenProperties(At(LeftEdge(*text)), [&](QDialog& dialog) {
        auto* edit = dialog.findChild<QPlainTextEdit*>("text");
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        okWhileEmpty = ok->isEnabled();
        QTest::keyClicks(edit, "Feed pump P-101 discharge");
        QTest::keyClick(dialog.findChild<QCheckBox*>("opaque"), Qt::Key_Space);
        dialog.findChild<QComboBox*>("alignment")->setCurrentIndex(2);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_FALSE(okWhileEmpty);
    EXPECT_EQ(text->GetText(), "Feed pump P-101 discharge");
    EXPECT_EQ(text->GetBkMode(), 2);
    EXPECT_EQ(text->GetFormat() & 3u, 2u);
    EXPECT_NE(text->GetRect(), rectBefore) << "the longer text resizes it";
    EXPECT_EQ(LastAction(), "Edit text properties");

    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(text->GetText(), "Feed pump");
    EXPECT_EQ(text->GetRect(), rectBefore);
    EXPECT_EQ(text->GetBkMode(), 1);
}

TEST_F(ObjectPropertySheetTest, ALinkGetsLineAndTextPagesOnBothLabels) {
    CConfGraphNode* node = view->FindBlockNode(35, 1);
    CGraphLink* link = nullptr;
    for (CGraphLink* candidate : node->GetLinks()) {
        if (candidate->GetTo() == node && candidate->GetOutLabel() && candidate->GetInLabel()) {
            link = candidate;
        }
    }
    ASSERT_NE(link, nullptr);
    // Opened from the view's own entry point, as Alt+Enter does for the
    // selection; the sheet itself is the subject here.
    QString title;
    QStringList tabs;
    const LOGFONT fontBefore = link->GetOutLabel()->GetLogFont();
    WhenDialogOpens([&](QDialog& dialog) {
        title = dialog.windowTitle();
        tabs = TabTitles(dialog);
        EXPECT_EQ(dialog.findChild<QCheckBox*>("opaque"), nullptr);
        QTest::keyClick(dialog.findChild<QSpinBox*>("fontSize"), Qt::Key_Up);
        ClickButton(dialog, QDialogButtonBox::Ok);
    });
    EXPECT_TRUE(view->EditObjectProperties(link));
    EXPECT_EQ(title, "Link Properties");
    EXPECT_EQ(tabs, (QStringList{"Line", "Text"}));
    EXPECT_NE(link->GetOutLabel()->GetLogFont(), fontBefore);
    EXPECT_EQ(link->GetInLabel()->GetLogFont(), link->GetOutLabel()->GetLogFont());
    EXPECT_EQ(LastAction(), "Edit link properties");
    ASSERT_TRUE(view->Undo(1));
    EXPECT_EQ(link->GetOutLabel()->GetLogFont(), fontBefore);
}

}  // namespace
