// Resizable windows whose controls follow their constraints.
#include <gtest/gtest.h>

#include <QDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include "vexilla/GeometryWnd.h"

namespace {

using CGeometryDialog = Geometry::CGeometryWnd<QDialog>;

// A 300 x 200 dialog with a list filling it and an OK button at the bottom right.
class GeometryWndTest : public testing::Test {
protected:
    void SetUp() override {
        m_dialog.resize(300, 200);
        m_list = new QListWidget(&m_dialog);
        m_list->setGeometry(10, 10, 280, 140);
        m_ok = new QPushButton("OK", &m_dialog);
        m_ok->setGeometry(210, 160, 80, 30);
    }
    CGeometryDialog m_dialog;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

TEST_F(GeometryWndTest, ControlsFollowTheirConstraintsAndNeverShrink) {
    m_dialog.AddConstraint(m_list, Geometry::CConstraint("CX+CY"));
    m_dialog.AddConstraint(m_ok, Geometry::CConstraint("X+Y"));
    m_dialog.show();
    EXPECT_EQ(m_dialog.minimumSize(), QSize(300, 200));

    m_dialog.resize(400, 240);
    EXPECT_EQ(m_ok->geometry(), QRect(310, 200, 80, 30));  // moved, same size
    EXPECT_EQ(m_list->geometry(), QRect(10, 10, 380, 180));

    m_dialog.resize(300, 200);
    EXPECT_EQ(m_ok->geometry(), QRect(210, 160, 80, 30));
    EXPECT_EQ(m_list->geometry(), QRect(10, 10, 280, 140));
}

TEST_F(GeometryWndTest, HiddenMarkerBindsTheControlsInsideIt) {
    auto* marker = new QGroupBox("$Geometry:X[0.5]+CX[0.5]+CY[0.125]", &m_dialog);
    marker->setGeometry(200, 150, 100, 50);
    marker->hide();
    auto* visibleBox = new QGroupBox("$Geometry:CX", &m_dialog);  // shown: not a marker
    visibleBox->setGeometry(0, 0, 300, 200);
    m_dialog.show();
    ASSERT_EQ(m_dialog.GetConstraints().GetCount(), 1u);  // only the OK button

    m_dialog.resize(400, 280);
    EXPECT_EQ(m_ok->geometry(), QRect(260, 160, 130, 40));
    EXPECT_EQ(m_list->geometry(), QRect(10, 10, 280, 140));
}

}  // namespace
