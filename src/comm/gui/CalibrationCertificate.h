#pragma once

#include <string>
#include <vector>

#include "comm/CalibrationRecord.h"

class QPainter;
class QRectF;

// The calibration certificate: one landscape page per calibration record with
// the page header, the controller, the table as found and as left side by side
// with each point's deviation from its nominal value, and a signature line.
class CCalibrationCertificate {
public:
    // Writes the pages of the records to a PDF file; false with the reason.
    static bool WritePdf(const std::vector<CCalibrationRecord>& records, const std::string& path,
                         std::string& error);
    // Paints one record's page into page (device units of the painter).
    static void PaintPage(QPainter& painter, const QRectF& page, const CCalibrationRecord& record);
    // The header text of every page.
    static constexpr const char* kHeader = "TORV - Varex";
};
