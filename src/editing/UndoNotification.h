#pragma once

class CUndoManager;

// What an action manager tells its document after a change of its lists: which
// operation (one of the three registered message ids), how many actions it
// concerned and whether the document now counts as modified.
struct UndoNotification {
    CUndoManager* manager = nullptr;
    int message = 0;
    int count = 0;
    bool modified = false;
};
