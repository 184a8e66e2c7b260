#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPoint>
#include <memory>

#include "diagram/DrawingClasses.h"
#include "document/ConfDoc.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "support/TestPaths.h"

// The example plant open in a shown loop view of 1000 x 800 pixels, with its
// own undo manager, with "&Select" as its tool; context menus do not wait for
// a choice.
class LoopViewFixture : public testing::Test {
protected:
    void SetUp() override {
        RegisterDrawingClasses();
        ASSERT_TRUE(document.OnOpenDocument(testpaths::ExamplePlant()));
        PrepareDocument();
        view = std::make_unique<CLoopView>(document);
        view->resize(1000, 800);
        view->SetMenusNonModal(true);
        // A new view places blocks on a click; most cases pick and drag.
        view->SetCurrentTool(view->GetSelectTool());
        view->show();
        QApplication::processEvents();
    }
    // Changes to the opened document before the view is made.
    virtual void PrepareDocument() {}

    // A logical point as the device point the view shows it at.
    QPoint At(CPoint logical) const {
        const CPoint device = view->LPtoDP(logical);
        return QPoint(device.x, device.y);
    }

    CUndoManager undo;
    CConfDoc document;
    std::unique_ptr<CLoopView> view;
};
