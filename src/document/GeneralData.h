#pragma once

#include <string>

#include "platform/ColorRef.h"
#include "platform/Size.h"

// Drawing settings of a document. Only the paper colour is stored in the file;
// the rest starts with these defaults in every new or opened document, and the
// working directory comes from the application settings.
struct CGeneralData {
    CSize m_gridSpacing{10, 10};
    COLORREF m_crPaper = RGB(255, 255, 255);
    COLORREF m_crGrid = 0xFF0000;
    bool m_bShowGrid = true;
    bool m_bSnapToGrid = true;
    int m_nUndoLevels = 25;
    std::string m_strWorkDir;
};
