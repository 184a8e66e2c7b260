#include <gtest/gtest.h>

#include <QTest>

#include "app/AppMessageBox.h"
#include "platform/MessageBox.h"
#include "support/ModalAnswerer.h"
#include "vexilla/MessageBoxEx.h"

namespace {

// Presses a key on the next box that appears (however late it comes).
int AnsweredWith(Qt::Key key, const std::string& text, unsigned type) {
    CModalAnswerer<CMessageBoxEx> user([key](CMessageBoxEx& box) { QTest::keyClick(&box, key); });
    return CAppMessageBox::Show(nullptr, text, type);
}

TEST(AppMessageBox, ButtonsFollowTheMessageType) {
    EXPECT_EQ(AnsweredWith(Qt::Key_Escape, "Do you want to continue?", MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_EQ(AnsweredWith(Qt::Key_Return, "Save it?", MB_YESNO), IDYES);
    EXPECT_EQ(AnsweredWith(Qt::Key_Escape, "Cancel or go on", MB_OKCANCEL | MB_ICONWARNING),
              IDCANCEL);
    EXPECT_EQ(AnsweredWith(Qt::Key_Return, "The loop size has reached.", MB_OK), IDOK);
}

}  // namespace
