#include "editing/ui/ObjectMenu.h"

#include <QAction>
#include <QMenu>

#include "diagram/ConfGraphNode.h"
#include "diagram/GraphLink.h"
#include "diagram/GraphNode.h"
#include "editing/LoopCommands.h"
#include "editing/ui/LoopView.h"
#include "editing/ui/LoopViewOnline.h"

namespace {

QAction* AddEntry(QMenu* menu, CLoopView& view, CDrawingObject* object, const QString& text,
                  int command, bool enabled = true) {
    QAction* action = menu->addAction(text);
    action->setData(command);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, menu,
                     [&view, command, object] { view.RunMenuCommand(command, object); });
    return action;
}

void AddPortMenu(QMenu* menu, CLoopView& view, CGraphLink* link, const QString& title,
                 bool outputEnd) {
    QMenu* ports = menu->addMenu(title);
    QAction* show = AddEntry(
        ports, view, link, CObjectMenu::tr("Show Port"),
        outputEnd ? CObjectMenu::ID_LINK_SHOW_OUT_PORT : CObjectMenu::ID_LINK_SHOW_IN_PORT);
    show->setCheckable(true);
    show->setChecked(outputEnd ? link->IsShowOutLabel() : link->IsShowInLabel());
    AddEntry(ports, view, link, CObjectMenu::tr("Show all Ports"),
             outputEnd ? CObjectMenu::ID_LINK_SHOW_ALL_OUT_PORTS
                       : CObjectMenu::ID_LINK_SHOW_ALL_IN_PORTS);
    AddEntry(ports, view, link, CObjectMenu::tr("Hide all Ports"),
             outputEnd ? CObjectMenu::ID_LINK_HIDE_ALL_OUT_PORTS
                       : CObjectMenu::ID_LINK_HIDE_ALL_IN_PORTS);
}

}  // namespace

QMenu* CObjectMenu::Build(CLoopView& view, CDrawingObject* object, QWidget* parent) {
    if (object == nullptr) {
        return nullptr;
    }
    const bool editable = !view.IsMonitoring() && view.GetSelectedCount() <= 1;
    auto* menu = new QMenu(parent);
    QAction* properties = nullptr;
    if (auto* link = dynamic_cast<CGraphLink*>(object)) {
        menu->setTitle("LINK");
        menu->setObjectName("LINK");
        AddPortMenu(menu, view, link, CObjectMenu::tr("Input"), false);
        AddPortMenu(menu, view, link, CObjectMenu::tr("Output"), true);
        if (view.IsOnline() && view.Online().CanAddToTrend(*link)) {
            AddEntry(menu, view, object, CObjectMenu::tr("Add to Trend"), ID_LINK_ADD_TO_TREND);
        }
        AddEntry(menu, view, object, CObjectMenu::tr("&Delete"), ID_EDIT_DELETE, editable);
        properties = AddEntry(menu, view, object, CObjectMenu::tr("Proper&ties..."),
                              ID_OBJECT_PROPERTIES, editable);
    } else if (dynamic_cast<CGraphNode*>(object) != nullptr) {
        menu->setTitle("BLOCK");
        menu->setObjectName("BLOCK");
        if (dynamic_cast<CConfGraphNode*>(object) != nullptr) {
            AddEntry(menu, view, object, CObjectMenu::tr("&Edit Parameters..."), ID_EDIT_PARAMETERS,
                     editable);
            QMenu* size = menu->addMenu(CObjectMenu::tr("Block &Size"));
            AddEntry(size, view, object, CObjectMenu::tr("Smallest"), ID_BLOCK_SMALLEST, editable);
            AddEntry(size, view, object, CObjectMenu::tr("Regular"), ID_BLOCK_REGULAR, editable);
            AddEntry(size, view, object, CObjectMenu::tr("Largest"), ID_BLOCK_LARGEST, editable);
            menu->addSeparator();
        }
        AddEntry(menu, view, object, CObjectMenu::tr("&Delete"), ID_EDIT_DELETE, editable);
        menu->addSeparator();
        properties = AddEntry(menu, view, object, CObjectMenu::tr("Proper&ties..."),
                              ID_OBJECT_PROPERTIES, editable);
    } else {
        menu->setTitle("Object");
        menu->setObjectName("Object");
        AddEntry(menu, view, object, CObjectMenu::tr("&Delete"), ID_EDIT_DELETE, editable);
        AddEntry(menu, view, object, CObjectMenu::tr("Dupli&cate"), ID_EDIT_DUPLICATE, editable);
        menu->addSeparator();
        properties = AddEntry(menu, view, object, CObjectMenu::tr("Proper&ties..."),
                              ID_OBJECT_PROPERTIES, editable);
    }
    menu->setDefaultAction(properties);
    return menu;
}

bool CObjectMenu::Run(CLoopView& view, int command, CDrawingObject* object) {
    if (object == nullptr || !view.HasObject(object)) {
        return false;
    }
    CLoopCommands& commands = view.Commands();
    switch (command) {
        case ID_EDIT_DELETE:
            return commands.Delete();
        case ID_EDIT_DUPLICATE:
            return commands.Duplicate();
        case ID_OBJECT_PROPERTIES:
            return view.EditObjectProperties(object);
        case ID_EDIT_PARAMETERS:
            view.EditBlockParameters(dynamic_cast<CGraphNode*>(object));
            return true;
        case ID_BLOCK_SMALLEST:
            return commands.ResizeBlocks(CConfGraphNode::kSmallestBlockSize);
        case ID_BLOCK_REGULAR:
            return commands.ResizeBlocks(CConfGraphNode::kRegularBlockSize);
        case ID_BLOCK_LARGEST:
            return commands.ResizeBlocks(CConfGraphNode::kLargestBlockSize);
        case ID_LINK_SHOW_OUT_PORT:
            return commands.ShowPort(true);
        case ID_LINK_SHOW_IN_PORT:
            return commands.ShowPort(false);
        case ID_LINK_SHOW_ALL_OUT_PORTS:
            return commands.ShowAllPorts(true, true);
        case ID_LINK_SHOW_ALL_IN_PORTS:
            return commands.ShowAllPorts(false, true);
        case ID_LINK_HIDE_ALL_OUT_PORTS:
            return commands.ShowAllPorts(true, false);
        case ID_LINK_HIDE_ALL_IN_PORTS:
            return commands.ShowAllPorts(false, false);
        case ID_LINK_ADD_TO_TREND:
            if (auto* link = dynamic_cast<CGraphLink*>(object);
                link != nullptr && view.IsOnline()) {
                view.Online().AddToTrend(*link);
                return true;
            }
            return false;
        default:
            return false;
    }
}
