#include "document/ui/ColorButton.h"

#include <QColorDialog>
#include <QPixmap>
#include <cstdint>

namespace {

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace

CColorButton::CColorButton(COLORREF color, const ColorChooser& chooser, QWidget* parent)
    : QPushButton(parent), m_chooser(chooser) {
    setIconSize(QSize(40, 14));
    setAutoDefault(false);
    SetColor(color);
    connect(this, &QPushButton::clicked, this, [this] { Choose(); });
}

void CColorButton::SetColor(COLORREF color) {
    m_color = color;
    QPixmap swatch(iconSize());
    swatch.fill(ToQColor(color));
    setIcon(QIcon(swatch));
}

void CColorButton::Choose() {
    std::optional<COLORREF> chosen;
    if (m_chooser) {
        chosen = m_chooser(m_color);
    } else {
        const QColor color = QColorDialog::getColor(ToQColor(m_color), window());
        if (color.isValid()) {
            chosen = RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
                         static_cast<uint8_t>(color.blue()));
        }
    }
    if (chosen) {
        SetColor(*chosen);
    }
}
