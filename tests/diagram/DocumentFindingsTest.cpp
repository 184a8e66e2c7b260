// Documents that once made the reader misbehave, found by fuzzing and kept
// under tests/fixtures.
#include <gtest/gtest.h>

#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "platform/MessageBox.h"
#include "support/TestPaths.h"

namespace {

// A text object's rectangle at the integer limit overflowed the layout of its
// text while the document loaded; now the file is refused with the reason.
TEST(DocumentFindings, CoordinatesAtTheIntegerLimitAreRefusedOnLoad) {
    RegisterDrawingClasses();
    MessageBoxHandler previous =
        SetMessageBoxHandler([](const std::string&, unsigned) { return IDOK; });
    CConfDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(testpaths::Fixture("document-text-overflow.vxp")));
    SetMessageBoxHandler(previous);
    EXPECT_NE(doc.GetLastError().find("lies outside the drawing area"), std::string::npos)
        << doc.GetLastError();
}

}  // namespace
