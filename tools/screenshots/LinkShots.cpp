#include "LinkShots.h"

#include <QApplication>
#include <QMenu>

#include "ShotSaver.h"
#include "app/MainFrame.h"
#include "diagram/ConfGraphNode.h"
#include "document/ConfDoc.h"
#include "editing/EditKeys.h"
#include "editing/LinkTool.h"
#include "editing/ui/GraphPortSelDlg.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/PortSelCtrl.h"
#include "model/Block.h"

namespace {

// Clicks a node as the link tool gets it (hover, press, release).
void ClickNode(CLoopView& view, CConfGraphNode& node) {
    const CPoint centre = view.LPtoDP(node.GetRect().CenterPoint());
    view.MouseMove(0, centre);
    view.LButtonDown(1, centre);
    view.LButtonUp(0, centre);
    QApplication::processEvents();
}

// A polygon with three corners placed and the fourth following the mouse,
// taken back with Escape afterwards.
bool SavePolygonShot(CMainFrame& frame, CLoopView& view, const QString& folder) {
    view.ChooseTool(CLoopEditor::TOOL_POLYGON);
    const CPoint corners[] = {CPoint(620, 520), CPoint(860, 520), CPoint(900, 640)};
    for (const CPoint& corner : corners) {
        const CPoint at = view.LPtoDP(corner);
        view.MouseMove(0, at);
        view.LButtonDown(1, at);
        view.LButtonUp(0, at);
    }
    view.MouseMove(0, view.LPtoDP(CPoint(650, 660)));
    QApplication::processEvents();
    const bool saved = SaveShot(frame, folder + "/polygon-drawing.png");
    view.KeyDown(editkeys::VK_ESCAPE, false);
    return saved;
}

}  // namespace

bool SaveLinkShots(CMainFrame& frame, const QString& folder) {
    CConfDoc* document = frame.GetActiveDocument();
    CLoopView* view = frame.GetActiveLoopView();
    if (document == nullptr || view == nullptr) {
        return false;
    }
    document->SelectLoop(1, true);
    view->SetMenusNonModal(true);
    CConfGraphNode* source = view->FindBlockNode(1, 1);
    CConfGraphNode* destination = view->FindBlockNode(40, 1);
    if (source == nullptr || destination == nullptr) {
        return false;
    }
    view->SetCurrentTool(view->GetBlockTool());
    bool ok = true;
    ClickNode(*view, *source);
    CPortSelCtrl* popup = view->GetPortPopup();
    ok = popup != nullptr && SaveShot(*popup, folder + "/link-port-popup.png") && ok;
    ok = SaveShot(frame, folder + "/link-source-ports.png") && ok;
    if (popup != nullptr) {
        popup->hide();
        QApplication::processEvents();
    }
    const std::string output = std::to_string(document->FindBlockByNumber(1)->GetOutputAddress(0));
    ClickNode(*view, *source);
    view->EndPortSelection(true, output);
    const CRect from = source->GetRect();
    const CPoint bend = view->LPtoDP(CPoint(from.right + 40, from.bottom + 40));
    view->MouseMove(0, bend);
    view->LButtonDown(1, bend);
    view->LButtonUp(0, bend);
    view->MouseMove(0, bend + CSize(120, 10));
    QApplication::processEvents();
    ok = SaveShot(frame, folder + "/link-drawing.png") && ok;

    view->RButtonUp(0, bend + CSize(120, 10));
    if (QMenu* menu = view->GetLastMenu()) {
        ok = SaveShot(*menu, folder + "/link-menu.png") && ok;
        menu->hide();
    }
    view->RunLinkCommand(CLinkTool::ID_CANCEL_LINK);

    CGraphPortSelDlg dialog(*document->FindBlockByNumber(40), {"B", "C", "D"}, &frame);
    dialog.show();
    QApplication::processEvents();
    ok = SaveShot(dialog, folder + "/link-port-dialog.png") && ok;
    dialog.reject();
    ok = SavePolygonShot(frame, *view, folder) && ok;
    view->SetCurrentTool(view->GetSelectTool());
    return ok;
}
