#include "document/ui/FillPropertyPage.h"

#include <QFormLayout>

#include "document/ui/PageControls.h"

namespace {

const char* const kBrushStyleNames[] = {"BS_SOLID", "BS_NULL", "BS_HATCHED"};
const char* const kHatchStyleNames[] = {"HS_HORIZONTAL", "HS_VERTICAL", "HS_FDIAGONAL",
                                        "HS_BDIAGONAL",  "HS_CROSS",    "HS_DIAGCROSS"};

}  // namespace

CFillPropertyPage::CFillPropertyPage(const LOGBRUSH& brush, const ColorChooser& chooser,
                                     QWidget* parent)
    : QWidget(parent), m_original(brush) {
    setObjectName("fill");
    auto* form = new QFormLayout(this);
    m_pStyle = page_controls::NamedCombo(this, "brushStyle", kBrushStyleNames, brush.lbStyle);
    form->addRow(tr("Style:"), m_pStyle);
    m_pHatch = page_controls::NamedCombo(this, "hatchStyle", kHatchStyleNames, brush.lbHatch);
    form->addRow(tr("Hatch:"), m_pHatch);
    m_pColor = new CColorButton(brush.lbColor, chooser, this);
    m_pColor->setObjectName("brushColor");
    form->addRow(tr("Color:"), m_pColor);
    // The hatch pattern means something only to a hatched brush.
    auto followStyle = [this] {
        m_pHatch->setEnabled(page_controls::ChosenIndex(m_pStyle, m_original.lbStyle) ==
                             BS_HATCHED);
    };
    connect(m_pStyle, &QComboBox::currentIndexChanged, this, followStyle);
    followStyle();
}

LOGBRUSH CFillPropertyPage::GetLogBrush() const {
    LOGBRUSH brush = m_original;
    brush.lbStyle = page_controls::ChosenIndex(m_pStyle, brush.lbStyle);
    brush.lbHatch = page_controls::ChosenIndex(m_pHatch, brush.lbHatch);
    brush.lbColor = m_pColor->GetColor();
    return brush;
}
