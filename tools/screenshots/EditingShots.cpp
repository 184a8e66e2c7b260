#include "EditingShots.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>

#include "BlockDialogShots.h"
#include "ShotSaver.h"
#include "app/EditCommands.h"
#include "app/MainFrame.h"
#include "diagram/ConfGraphNode.h"
#include "diagram/DrawRectangle.h"
#include "diagram/DrawText.h"
#include "diagram/GraphLink.h"
#include "document/ConfDoc.h"
#include "editing/LoopCommands.h"
#include "editing/UndoManager.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/ObjectPropertySheet.h"
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

// Opens the object's properties the way the view does and saves every page
// of the dialog, which is then cancelled.
bool SaveProperties(CLoopView& view, CDrawingObject* object, const QString& pathStem) {
    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        saved = true;
        auto* pages = dialog->findChild<QTabWidget*>("pages");
        const int count = pages != nullptr ? pages->count() : 1;
        for (int page = 0; page < count; ++page) {
            if (pages != nullptr) {
                pages->setCurrentIndex(page);
            }
            const QString suffix =
                pages != nullptr ? "-" + pages->widget(page)->objectName() : QString();
            saved = SaveShot(*dialog, pathStem + suffix + ".png") && saved;
        }
        dialog->reject();
    });
    CObjectPropertySheet::Edit(view, object, &view);
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
    ok = SaveProperties(*view, rectangle, folder + "/properties-graphic") && ok;
    ok = SaveProperties(*view, first, folder + "/properties-block") && ok;
    if (CGraphLink* link = FirstLinkInto(second)) {
        ok = SaveProperties(*view, link, folder + "/properties-link") && ok;
    }
    auto label = std::make_unique<CDrawText>(CRect(600, 800, 800, 830), "Feed pump P-101");
    label->SetLoop(1);
    CDrawingObject* text = label.get();
    view->AddObject(std::move(label));
    ok = SaveProperties(*view, text, folder + "/text-entry") && ok;
    view->DeleteObject(text);
    view->DeleteObject(rectangle);
    view->DeselectAll();
    document->SetModifiedFlag(false);
    frame.UpdateCommands();
    return SaveBlockDialogShots(frame, folder) && ok;
}
