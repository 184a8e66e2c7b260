#pragma once

#include <QString>

class CMainFrame;

// Pictures of a link being drawn: the port popup over the source node, the
// route with its bend, the menu of the link being drawn and the "Select
// Input/Output port" dialog, then a polygon being drawn. The link and the
// polygon are cancelled afterwards.
bool SaveLinkShots(CMainFrame& frame, const QString& folder);
