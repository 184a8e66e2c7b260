#pragma once

#include <QWidget>

#include "document/ui/ColorButton.h"
#include "platform/LogPen.h"

class QComboBox;
class QSpinBox;

// The "Line" page: pen style (PS_SOLID..PS_INSIDEFRAME, values 0..6), width
// and colour. Fields the page does not show keep the values it started from.
class CLinePropertyPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxPenWidth = 20;

    CLinePropertyPage(const LOGPEN& pen, const ColorChooser& chooser, QWidget* parent);

    LOGPEN GetLogPen() const;

private:
    LOGPEN m_original;
    QComboBox* m_pStyle = nullptr;
    QSpinBox* m_pWidth = nullptr;
    CColorButton* m_pColor = nullptr;
};
