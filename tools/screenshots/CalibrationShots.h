#pragma once

#include <QString>

class QWidget;

// The calibration dialog against a simulated controller in two modes (current
// outputs with an edited value, inputs after an automatic calibration) and the
// certificate page of that calibration.
bool SaveCalibrationShots(QWidget& parent, const QString& folder, const QString& configFile);
