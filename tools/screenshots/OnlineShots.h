#pragma once

#include <QString>

class CAppSettings;
class CMainFrame;

// The online windows against a controller simulated in this process: the loop
// view with live values, the block monitor, the "Monitoring" box of a lost
// line and the Trend panel.
bool SaveOnlineShots(CMainFrame& frame, CAppSettings& settings, const QString& folder);
