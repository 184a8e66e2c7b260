#pragma once

#include <QString>

class CConfDoc;

// Pictures of printing: the "Print Selected" dialog, the preview on its first
// report page, and a printed report page (the PDF page drawn by pdftoppm).
bool SavePrintShots(CConfDoc& document, const QString& folder);
