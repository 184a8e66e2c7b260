#pragma once

#include <QString>

class CMainFrame;

// Pictures of the loop view being edited: a selection with its handles and
// the tool boxes, the context menus of a block, a link and a drawing object,
// and the undo list dropped down from its button. The document is left as it
// was.
bool SaveEditingShots(CMainFrame& frame, const QString& folder);
