#pragma once

#include <QCoreApplication>

class CDrawingObject;
class CLoopView;
class QMenu;
class QWidget;

// The context menus of the loop drawing: "Object" for drawing objects, "BLOCK"
// for block nodes and connectors, "LINK" for links. Delete, Duplicate and
// Properties are greyed while the view monitors the controller or more than
// one object is selected.
class CObjectMenu {
    Q_DECLARE_TR_FUNCTIONS(CObjectMenu)

public:
    // Menu commands.
    enum Command : int {
        ID_EDIT_DELETE = 32776,
        ID_OBJECT_PROPERTIES = 32786,
        ID_EDIT_PARAMETERS = 32789,
        ID_BLOCK_SMALLEST = 32824,
        ID_BLOCK_REGULAR = 32825,
        ID_BLOCK_LARGEST = 32826,
        ID_EDIT_DUPLICATE = 32853,
        ID_LINK_SHOW_OUT_PORT = 32862,
        ID_LINK_SHOW_IN_PORT = 32863,
        ID_LINK_SHOW_ALL_IN_PORTS = 32871,
        ID_LINK_SHOW_ALL_OUT_PORTS = 32872,
        ID_LINK_HIDE_ALL_IN_PORTS = 32873,
        ID_LINK_HIDE_ALL_OUT_PORTS = 32874,
        ID_LINK_ADD_TO_TREND = 33101,
    };

    // The object's menu, its entries wired to the view; the caller shows it.
    static QMenu* Build(CLoopView& view, CDrawingObject* object, QWidget* parent);
    // Carries out a menu command on the object; false when it does not apply.
    static bool Run(CLoopView& view, int command, CDrawingObject* object);
};
