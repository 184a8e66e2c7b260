#pragma once

#include <QDialog>

class CDrawingObject;
class CLoopEditor;

// The properties of one drawing object: "Graphic Properties" (line page, and
// the fill page for filled shapes), "Block Properties" for nodes (line, fill
// and text pages, with the block's name and number), "Link Properties" for
// links (line and text pages); a text object shows the text entry dialog.
// On OK the change goes through the view's commands, which record it.
class CObjectPropertySheet : public QDialog {
public:
    // Shows the object's properties; true when a change was applied.
    static bool Edit(CLoopEditor& view, CDrawingObject* object, QWidget* parent);
};
