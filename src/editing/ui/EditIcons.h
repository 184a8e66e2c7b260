#pragma once

#include <QIcon>

// The pictures of the editing commands' buttons, drawn by the program itself.
class CEditIcons {
public:
    static QIcon Undo();
    static QIcon Redo();
    static QIcon Cut();
    static QIcon Copy();
    static QIcon Paste();
    static QIcon Delete();
    static QIcon Select();
    // The drawing tools in CLoopEditor::ToolKind order.
    static QIcon DrawingTool(int kind);
    static QIcon Lock();
    static QIcon ToFront();
    static QIcon ToBack();
    static QIcon ForwardOne();
    static QIcon BackwardOne();
    static QIcon Group();
    static QIcon Ungroup();
    // 3 left, 4 horizontal centre, 5 right, 6 top, 7 vertical centre, 8 bottom,
    // 9 both centres.
    static QIcon Align(int alignment);
    static QIcon Spacing(bool horizontal);
    // 0 smallest, 1 regular, 2 largest.
    static QIcon BlockSize(int step);
    static QIcon Properties();
    static QIcon Information();
    // 1 full page, 2 page width, 3 half page, 4 objects.
    static QIcon Zoom(int kind);
    static QIcon Settings();
    static QIcon Calibration();
};
