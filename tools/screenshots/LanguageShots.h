#pragma once

#include <QString>

class CMainFrame;

// The main window and the Function Block dialog (CONF page of block 39, APID)
// in each language pack and the printing pictures in Chinese (zh/), chosen as from the Language
// menu; English again at the end. The packs are read from packFolder (the program's folder).
bool SaveLanguageShots(CMainFrame& frame, const QString& packFolder, const QString& folder);
