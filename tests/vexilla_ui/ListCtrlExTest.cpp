// The list with in-place cell editing, driven by keys as a user would.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "vexilla/ListCtrlEx.h"

namespace {

struct EndedEdit {
    int row;
    int column;
    QString text;
};

TEST(ListCtrlEx, ColumnsAndRowsHoldTheirTextsAndCellAttributes) {
    CListCtrlEx list;
    EXPECT_EQ(list.InsertItem(0, "no columns yet"), -1);
    list.InsertColumn(0, "Param", 60);
    list.InsertColumn(1, "Description", 200);
    EXPECT_EQ(list.InsertColumn(3, "Beyond the end"), -1);
    list.InsertItem(0, QStringList{"GAIN", "Proportional gain"});
    list.InsertItem(1, "RATE");

    // A column added later gets an empty cell in every row.
    EXPECT_EQ(list.InsertColumn(1, "Value", 96), 1);
    EXPECT_EQ(list.GetColumnHeading(2), "Description");
    EXPECT_EQ(list.GetColumnWidth(1), 96);
    EXPECT_TRUE(list.SetItemText(1, 1, "0.25"));
    EXPECT_EQ(list.GetItemText(0, 2), "Proportional gain");
    EXPECT_EQ(list.GetItemText(1, 1), "0.25");

    // A column past the last one is no cell of the next row.
    EXPECT_EQ(list.GetItemText(0, 3), "");
    EXPECT_FALSE(list.SetItemText(0, 3, "x"));
    EXPECT_EQ(list.GetItemText(1, 0), "RATE");

    // Styles, limits and refused characters stay with their row.
    list.SetCellEditStyle(1, 1, CListCtrlEx::kNumericEdit);
    list.SetCellLimit(1, 1, 6);
    list.SetCellInvalidChars(1, 1, "#");
    list.InsertItem(0, "SPAN");
    EXPECT_EQ(list.GetCellEditStyle(2, 1), CListCtrlEx::kNumericEdit);
    EXPECT_EQ(list.GetCellLimit(2, 1), 6);
    EXPECT_EQ(list.GetCellInvalidChars(2, 1), "#");
    EXPECT_EQ(list.GetCellEditStyle(1, 1), CListCtrlEx::kReadOnly);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetCellEditStyle(1, 1), CListCtrlEx::kNumericEdit);
}

// A parameter list: read-only names, a numeric, a text and a drop-down value,
// descriptions; row 3 has nothing to edit.
class ListCtrlExTest : public testing::Test {
protected:
    void SetUp() override {
        m_list.InsertColumn(0, "Param", 60);
        m_list.InsertColumn(1, "Value", 96);
        m_list.InsertColumn(2, "Description", 160);
        m_list.InsertItem(0, QStringList{"GAIN", "1.50", "Proportional gain"});
        m_list.InsertItem(1, QStringList{"TAG", "FIC101", "User tag"});
        m_list.InsertItem(2, QStringList{"MODE", "Auto", "Operating mode"});
        m_list.InsertItem(3, QStringList{"TYPE", "PID", "Block type"});
        m_list.SetCellEditStyle(0, 1, CListCtrlEx::kNumericEdit);
        m_list.SetCellEditStyle(1, 1, CListCtrlEx::kEdit);
        m_list.SetCellDropDown(2, 1, {"Manual", "Auto", "Cascade"});
        m_list.SetEndEditHandler([this](int row, int column, QString& text) {
            m_ended.push_back({row, column, text});
            return CListCtrlEx::kAcceptEdit;
        });
        m_list.resize(340, 200);
        m_list.show();
        m_list.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_list));
    }

    QLineEdit* LineEditor() const { return qobject_cast<QLineEdit*>(m_list.GetEditor()); }

    // Opens a text cell's editor and types keys over its selected text.
    void Type(int row, int column, const QString& keys) {
        ASSERT_TRUE(m_list.EditCell(row, column));
        ASSERT_NE(LineEditor(), nullptr);
        QTest::keyClicks(LineEditor(), keys);
    }
    void TypeAndEnter(int row, int column, const QString& keys) {
        Type(row, column, keys);
        if (LineEditor() != nullptr) {
            QTest::keyClick(LineEditor(), Qt::Key_Return);
        }
    }

    CListCtrlEx m_list;
    std::vector<EndedEdit> m_ended;
};

TEST_F(ListCtrlExTest, KeysEditTheRowsEditableCellAndMarkItModified) {
    // F2 on the read-only name edits the row's value.
    m_list.setCurrentCell(1, 0);
    QTest::keyClick(&m_list, Qt::Key_F2);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetEditRow(), 1);
    EXPECT_EQ(m_list.GetEditColumn(), 1);
    QTest::keyClicks(LineEditor(), "FIC102");
    QTest::keyClick(LineEditor(), Qt::Key_Return);

    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(1, 1), "FIC102");
    ASSERT_EQ(m_ended.size(), 1u);
    EXPECT_EQ(QPoint(m_ended[0].column, m_ended[0].row), QPoint(1, 1));
    EXPECT_EQ(m_ended[0].text, "FIC102");
    EXPECT_TRUE(m_list.IsCellModified(1, 1));
    EXPECT_TRUE(m_list.IsRowModified(1));
    EXPECT_FALSE(m_list.IsRowModified(0));
    EXPECT_TRUE(m_list.IsModified());
    m_list.ClearModified();
    EXPECT_FALSE(m_list.IsModified());

    // Enter starts an edit too; ending it unchanged asks the owner but changes nothing.
    m_list.setCurrentCell(0, 2);
    QTest::keyClick(&m_list, Qt::Key_Return);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetEditColumn(), 1);
    EXPECT_EQ(LineEditor()->text(), "1.50");
    QTest::keyClick(LineEditor(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_ended.size(), 2u);
    EXPECT_FALSE(m_list.IsModified());

    // A row without an editable cell opens nothing.
    m_list.setCurrentCell(3, 1);
    QTest::keyClick(&m_list, Qt::Key_F2);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_FALSE(m_list.EditCell(3, 1));
}

TEST_F(ListCtrlExTest, EscapeAndCancelLeaveTheCellAsItWas) {
    Type(1, 1, "XYZ");
    QTest::keyClick(LineEditor(), Qt::Key_Escape);
    EXPECT_FALSE(m_list.IsEditing());

    Type(0, 1, "42");
    m_list.CancelEdit();
    EXPECT_FALSE(m_list.IsEditing());

    EXPECT_EQ(m_list.GetItemText(1, 1), "FIC101");
    EXPECT_EQ(m_list.GetItemText(0, 1), "1.50");
    EXPECT_TRUE(m_ended.empty());
    EXPECT_FALSE(m_list.IsModified());
}

TEST_F(ListCtrlExTest, TypingRefusesInvalidCharactersAndStopsAtTheLimit) {
    m_list.SetCellInvalidChars(1, 1, "-!@");
    m_list.SetCellLimit(1, 1, 6);
    TypeAndEnter(1, 1, "AB-C!D@EFG");
    EXPECT_EQ(m_list.GetItemText(1, 1), "ABCDEF");

    // A numeric cell takes one sign in front and one decimal point.
    TypeAndEnter(0, 1, "-1a2.5.3+");
    EXPECT_EQ(m_list.GetItemText(0, 1), "-12.53");

    // The refused set applies to numbers as well.
    m_list.SetCellInvalidChars(0, 1, "-");
    TypeAndEnter(0, 1, "-7.5");
    EXPECT_EQ(m_list.GetItemText(0, 1), "7.5");
}

TEST_F(ListCtrlExTest, OwnerMayRefuseRewriteOrKeepTheEditOpen) {
    // Above 100 is refused, below 0 asks for a correction, the rest is normalised.
    m_list.SetEndEditHandler([](int, int, QString& text) {
        const double value = text.toDouble();
        if (value > 100) {
            return CListCtrlEx::kRefuseEdit;
        }
        if (value < 0) {
            return CListCtrlEx::kKeepEditing;
        }
        text = QString::number(value, 'f', 2);
        return CListCtrlEx::kAcceptEdit;
    });

    TypeAndEnter(0, 1, "250");
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(0, 1), "1.50");
    EXPECT_FALSE(m_list.IsModified());

    TypeAndEnter(0, 1, "-5");
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_EQ(LineEditor()->text(), "-5");
    EXPECT_EQ(m_list.GetItemText(0, 1), "1.50");
    // The pending edit must end before another one starts.
    EXPECT_FALSE(m_list.EndEdit());
    EXPECT_FALSE(m_list.EditCell(1, 1));
    EXPECT_EQ(m_list.GetEditRow(), 0);

    LineEditor()->selectAll();
    QTest::keyClicks(LineEditor(), "7");
    QTest::keyClick(LineEditor(), Qt::Key_Return);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(0, 1), "7.00");
    EXPECT_TRUE(m_list.IsCellModified(0, 1));

    // Starting another edit ends an acceptable pending one first.
    Type(0, 1, "8");
    EXPECT_TRUE(m_list.EditCell(1, 1));
    EXPECT_EQ(m_list.GetItemText(0, 1), "8.00");
}

// An owner that warns about a bad value takes the focus from the editor (its
// message box does); that must neither end the edit again nor close the editor.
TEST_F(ListCtrlExTest, OwnerTakingTheFocusIsAskedOnceAndTheEditorStays) {
    int calls = 0;
    m_list.SetEndEditHandler([this, &calls](int, int, QString&) {
        ++calls;
        m_list.setFocus();
        return CListCtrlEx::kKeepEditing;
    });
    TypeAndEnter(0, 1, "999");
    EXPECT_EQ(calls, 1);
    ASSERT_TRUE(m_list.IsEditing());
    EXPECT_TRUE(LineEditor()->hasFocus());
    EXPECT_EQ(m_list.GetItemText(0, 1), "1.50");
}

TEST_F(ListCtrlExTest, EditEndedByLeavingTheEditorGoesThroughTheOwner) {
    m_list.SetEndEditHandler([](int, int, QString& text) {
        return text == "BAD" ? CListCtrlEx::kRefuseEdit : CListCtrlEx::kAcceptEdit;
    });
    Type(1, 1, "BAD");
    m_list.setFocus();
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(1, 1), "FIC101");
    Type(1, 1, "TIC7");
    m_list.setFocus();
    EXPECT_EQ(m_list.GetItemText(1, 1), "TIC7");
}

TEST_F(ListCtrlExTest, DropDownChoiceFromItsListEndsTheEdit) {
    ASSERT_TRUE(m_list.EditCell(2, 1));
    auto* combo = qobject_cast<QComboBox*>(m_list.GetEditor());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->currentText(), "Auto");

    // An arrow key opens the list rather than stepping the choice.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(m_list.IsEditing());
    EXPECT_EQ(combo->currentText(), "Auto");
    ASSERT_TRUE(combo->view()->isVisible());

    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(2, 1), "Cascade");
    ASSERT_EQ(m_ended.size(), 1u);
    EXPECT_EQ(m_ended[0].text, "Cascade");
    EXPECT_TRUE(m_list.IsCellModified(2, 1));

    // Enter on the closed drop-down keeps the shown entry.
    ASSERT_TRUE(m_list.EditCell(2, 1));
    QTest::keyClick(m_list.GetEditor(), Qt::Key_Return);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ(m_list.GetItemText(2, 1), "Cascade");
    EXPECT_EQ(m_ended.size(), 2u);
}

TEST_F(ListCtrlExTest, RemovingTheEditedRowClosesItsEditor) {
    Type(1, 1, "GONE");
    EXPECT_TRUE(m_list.DeleteItem(1));
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_TRUE(m_ended.empty());
    // The drop-down moved up to row 1 with its attributes.
    ASSERT_TRUE(m_list.EditCell(1, 1));
    EXPECT_NE(qobject_cast<QComboBox*>(m_list.GetEditor()), nullptr);
    m_list.DeleteAllItems();
    EXPECT_FALSE(m_list.IsEditing());
}

TEST(ListCtrlEx, AlternateRowsArePaintedInTheAltColor) {
    CListCtrlEx list;
    EXPECT_EQ(list.GetAltRowColor(), QColor(253, 255, 199));
    list.InsertColumn(0, "Name", 120);
    for (int row = 0; row < 4; ++row) {
        list.InsertItem(row, QString());
    }
    list.resize(160, 140);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));

    const auto pixelOfRow = [&list](int row) {
        const QRect cell = list.visualItemRect(list.item(row, 0));
        const QImage image = list.viewport()->grab().toImage();
        return image.pixelColor(cell.center() * image.devicePixelRatio());
    };
    EXPECT_EQ(pixelOfRow(1), QColor(253, 255, 199));
    EXPECT_EQ(pixelOfRow(3), QColor(253, 255, 199));
    const QColor base = pixelOfRow(2);
    EXPECT_NE(base, QColor(253, 255, 199));

    list.SetAltRowColor(QColor(210, 230, 255));
    EXPECT_EQ(pixelOfRow(1), QColor(210, 230, 255));
    list.EnableAltRowColors(false);
    EXPECT_EQ(pixelOfRow(1), base);
}

}  // namespace
