#include "document/ui/LinePropertyPage.h"

#include <QFormLayout>

#include "document/ui/PageControls.h"

namespace {

const char* const kPenStyleNames[] = {"PS_SOLID",      "PS_DASH", "PS_DOT",        "PS_DASHDOT",
                                      "PS_DASHDOTDOT", "PS_NULL", "PS_INSIDEFRAME"};

}  // namespace

CLinePropertyPage::CLinePropertyPage(const LOGPEN& pen, const ColorChooser& chooser,
                                     QWidget* parent)
    : QWidget(parent), m_original(pen) {
    setObjectName("line");
    auto* form = new QFormLayout(this);
    m_pStyle = page_controls::NamedCombo(this, "penStyle", kPenStyleNames, pen.lopnStyle);
    form->addRow(tr("Style:"), m_pStyle);
    m_pWidth = page_controls::BoundedSpin(this, "penWidth", 0, kMaxPenWidth, pen.lopnWidth.x);
    form->addRow(tr("Width:"), m_pWidth);
    m_pColor = new CColorButton(pen.lopnColor, chooser, this);
    m_pColor->setObjectName("penColor");
    form->addRow(tr("Color:"), m_pColor);
}

LOGPEN CLinePropertyPage::GetLogPen() const {
    LOGPEN pen = m_original;
    pen.lopnStyle = page_controls::ChosenIndex(m_pStyle, pen.lopnStyle);
    // A width beyond what the page offers stays as stored unless changed.
    const int shownWidth = static_cast<int>(
        std::clamp<int64_t>(m_original.lopnWidth.x, 0, static_cast<int64_t>(kMaxPenWidth)));
    if (m_pWidth->value() != shownWidth) {
        pen.lopnWidth.x = m_pWidth->value();
    }
    pen.lopnColor = m_pColor->GetColor();
    return pen;
}
