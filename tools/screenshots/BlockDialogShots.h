#pragma once

#include <QString>

class CMainFrame;

// The Function Block dialog (each page, a LINK drop-down open, the message
// for a value out of range, the Functions page of a new block) and the block
// list panel beside the loop view.
bool SaveBlockDialogShots(CMainFrame& frame, const QString& folder);
