#include "EditingShots.h"

#include <QApplication>
#include <QMenu>

#include "ShotSaver.h"
#include "app/EditCommands.h"
#include "app/MainFrame.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawRectangle.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "vexilla/UndoRedoPopup.h"

namespace {

bool SaveMenu(CLoopView& view, CDrawingObject* object, const QString& path) {
    view.ShowObjectMenu(object);
    QMenu* menu = view.GetLastMenu();
    if (menu == nullptr) {
        return false;
    }
    const bool saved = SaveShot(*menu, path);
    menu->hide();
    return saved;
}

CGraphLink* FirstLinkInto(CConfGraphNode* node) {
    for (CGraphLink* link : node->GetLinks()) {
        if (link->GetTo() == node) {
            return link;
        }
    }
    return nullptr;
}

}  // namespace

bool SaveEditingShots(CMainFrame& frame, const QString& folder) {
    CConfDoc* document = frame.GetActiveDocument();
    CLoopView* view = frame.GetActiveLoopView();
    if (document == nullptr || view == nullptr) {
        return false;
    }
    document->SelectLoop(1, true);
    view->SetMenusNonModal(true);
    CConfGraphNode* first = view->FindBlockNode(39, 1);
    CConfGraphNode* second = view->FindBlockNode(40, 1);
    if (first == nullptr || second == nullptr) {
        return false;
    }
    bool ok = true;

    // A few edits for the undo list, taken back at the end.
    view->Select(first, false);
    view->Select(second, true);
    view->Commands().Align(CLoopCommands::ALIGN_TOP);
    view->Commands().ChangeColor(false, RGB(255, 220, 150));
    view->Commands().ChangeLineWidth(2);
    frame.UpdateCommands();
    ok = SaveShot(frame, folder + "/edit-selection.png") && ok;

    frame.GetEditCommands().OpenUndoList(0);
    if (CUndoRedoPopup* popup = frame.GetEditCommands().GetOpenPopup()) {
        popup->Highlight(1);
        ok = SaveShot(frame, folder + "/edit-undo-list.png") && ok;
        ok = SaveShot(*popup, folder + "/edit-undo-list-popup.png") && ok;
        popup->close();
        QApplication::processEvents();
    }
    while (view->Undo(1)) {
    }

    ok = SaveMenu(*view, first, folder + "/menu-block.png") && ok;
    if (CGraphLink* link = FirstLinkInto(second)) {
        view->Select(link, false);
        ok = SaveMenu(*view, link, folder + "/menu-link.png") && ok;
    }
    auto shape = std::make_unique<CDrawRectangle>(CRect(600, 700, 700, 760));
    shape->SetLoop(1);
    CDrawingObject* rectangle = shape.get();
    view->AddObject(std::move(shape));
    ok = SaveMenu(*view, rectangle, folder + "/menu-object.png") && ok;
    view->DeleteObject(rectangle);
    view->DeselectAll();
    document->SetModifiedFlag(false);
    frame.UpdateCommands();
    return ok;
}
