// The undo/redo drop-down list: what it highlights and the count it ends with.
#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

#include "vexilla/UndoRedoPopup.h"

namespace {

const QStringList kActions{"Delete objects", "Resize object", "Add a block object", "Add a link",
                           "Move objects"};

class UndoRedoPopupTest : public testing::Test {
protected:
    // Opens a popup below (100, 120) whose handler records what it is told.
    CUndoRedoPopup& Open(int kind, const QStringList& actions = kActions) {
        m_popup = std::make_unique<CUndoRedoPopup>(nullptr, QPoint(100, 120), actions, kind);
        m_popup->SetResultHandler([this](int kind, int count) {
            ++m_calls;
            m_kind = kind;
            m_count = count;
        });
        m_popup->Open();
        return *m_popup;
    }

    QPoint CentreOf(int row) const {
        QListWidget* list = m_popup->GetList();
        return list->visualItemRect(list->item(row)).center();
    }

    std::vector<int> SelectedRows() const {
        std::vector<int> rows;
        QListWidget* list = m_popup->GetList();
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->isSelected()) {
                rows.push_back(row);
            }
        }
        return rows;
    }

    std::unique_ptr<CUndoRedoPopup> m_popup;
    int m_calls = 0;
    int m_kind = -1;
    int m_count = -1;
};

TEST_F(UndoRedoPopupTest, ArrowKeysHighlightAnEntryWithAllAboveItAndEnterChoosesThem) {
    CUndoRedoPopup& popup = Open(CUndoRedoPopup::kUndo);
    ASSERT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.GetHighlighted(), 0);
    EXPECT_EQ(popup.GetFooterText(), "Undo 1 Action");

    QTest::keyClick(&popup, Qt::Key_Down);
    QTest::keyClick(&popup, Qt::Key_Down);
    EXPECT_EQ(popup.GetHighlighted(), 2);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(popup.GetFooterText(), "Undo 3 Actions");

    QTest::keyClick(&popup, Qt::Key_Up);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));
    QTest::keyClick(&popup, Qt::Key_End);
    QTest::keyClick(&popup, Qt::Key_Down);
    EXPECT_EQ(popup.GetHighlighted(), 4);
    EXPECT_EQ(popup.GetFooterText(), "Undo 5 Actions");
    EXPECT_EQ(m_calls, 0);

    QTest::keyClick(&popup, Qt::Key_Return);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(popup.GetCount(), 5);
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(m_kind, CUndoRedoPopup::kUndo);
    EXPECT_EQ(m_count, 5);
}

TEST_F(UndoRedoPopupTest, ReleasingTheMouseOnTheThirdEntryChoosesThree) {
    CUndoRedoPopup& popup = Open(CUndoRedoPopup::kRedo);
    QWidget* viewport = popup.GetList()->viewport();
    QTest::mouseMove(viewport, CentreOf(1));
    EXPECT_EQ(popup.GetHighlighted(), 1);
    EXPECT_EQ(popup.GetFooterText(), "Redo 2 Actions");
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1}));

    // The press selects nothing by itself; the release on the entry decides.
    QTest::mousePress(viewport, Qt::LeftButton, {}, CentreOf(2));
    EXPECT_EQ(m_calls, 0);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, CentreOf(2));
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(m_kind, CUndoRedoPopup::kRedo);
    EXPECT_EQ(m_count, 3);
    EXPECT_EQ(popup.GetCount(), 3);
}

TEST_F(UndoRedoPopupTest, EveryWayOfCancellingEndsWithZeroOnce) {
    CUndoRedoPopup& escaped = Open(CUndoRedoPopup::kUndo);
    QTest::keyClick(&escaped, Qt::Key_Down);
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(m_count, 0);
    QTest::keyClick(&escaped, Qt::Key_Return);  // a closed popup says nothing more
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(escaped.GetCount(), 0);

    m_calls = 0;
    CUndoRedoPopup& clickedOutside = Open(CUndoRedoPopup::kRedo);
    QTest::keyClick(&clickedOutside, Qt::Key_Down);
    QTest::mouseClick(&clickedOutside, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_FALSE(clickedOutside.isVisible());
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(m_kind, CUndoRedoPopup::kRedo);
    EXPECT_EQ(m_count, 0);

    m_calls = 0;
    CUndoRedoPopup& deactivated = Open(CUndoRedoPopup::kUndo);
    QFocusEvent focusLost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(&deactivated, &focusLost);
    EXPECT_FALSE(deactivated.isVisible());
    EXPECT_EQ(m_calls, 1);
    EXPECT_EQ(m_count, 0);
}

TEST_F(UndoRedoPopupTest, OpensBelowThePointAndStaysOnTheScreen) {
    CUndoRedoPopup& popup = Open(CUndoRedoPopup::kUndo);
    EXPECT_EQ(popup.frameGeometry().topLeft(), QPoint(100, 120));
    EXPECT_GE(popup.GetList()->height(),
              kActions.size() * popup.GetList()->sizeHintForRow(0));  // every entry shows
    popup.close();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    CUndoRedoPopup corner(nullptr, screen.bottomRight(), kActions, CUndoRedoPopup::kUndo);
    corner.Open();
    EXPECT_TRUE(screen.contains(corner.frameGeometry()));
}

TEST_F(UndoRedoPopupTest, ExecWaitsForTheChoice) {
    CUndoRedoPopup popup(nullptr, QPoint(50, 50), kActions, CUndoRedoPopup::kRedo);
    QTimer::singleShot(0, &popup, [&popup] {
        QTest::keyClick(&popup, Qt::Key_Down);
        QTest::keyClick(&popup, Qt::Key_Return);
    });
    EXPECT_EQ(popup.Exec(), 2);
    EXPECT_FALSE(popup.isVisible());
}

}  // namespace
