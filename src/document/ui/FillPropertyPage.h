#pragma once

#include <QWidget>

#include "document/ui/ColorButton.h"
#include "platform/LogBrush.h"

class QComboBox;

// The "Fill" page: brush style, hatch pattern (HS_HORIZONTAL..HS_DIAGCROSS,
// values 0..5, offered for a hatched brush) and colour.
class CFillPropertyPage : public QWidget {
    Q_OBJECT

public:
    CFillPropertyPage(const LOGBRUSH& brush, const ColorChooser& chooser, QWidget* parent);

    LOGBRUSH GetLogBrush() const;

private:
    LOGBRUSH m_original;
    QComboBox* m_pStyle = nullptr;
    QComboBox* m_pHatch = nullptr;
    CColorButton* m_pColor = nullptr;
};
