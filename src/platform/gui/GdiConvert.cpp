#include "platform/gui/GdiConvert.h"

#include <QStringDecoder>

#include "platform/ResourceModule.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/gui/TextMetrics.h"

namespace gdi {
namespace {

// Character height of a font created with height 0.
constexpr int kDefaultEmHeight = 12;
// The size at which cell heights are measured to find the em height.
constexpr int kReferenceEmHeight = 100;

Qt::BrushStyle HatchStyle(uint32_t hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        case HS_DIAGCROSS:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}

QFont::Weight ToQtWeight(int32_t weight) {
    if (weight <= 0) {
        return QFont::Normal;
    }
    // Qt's weights are the same 100..900 scale; round to the nearest hundred.
    const int rounded = std::clamp((weight + 50) / 100 * 100, 100, 900);
    return static_cast<QFont::Weight>(rounded);
}

// The em height whose ascent + descent comes closest to the cell height.
int EmHeightForCell(QFont font, int cellHeight) {
    font.setPixelSize(kReferenceEmHeight);
    const double referenceCell = TextMetrics::Measure(font).height();
    if (referenceCell <= 0.0) {
        return cellHeight;
    }
    const double em = cellHeight * kReferenceEmHeight / referenceCell;
    return std::max(1, static_cast<int>(std::lround(em)));
}

}  // namespace

QColor ToQColor(COLORREF color) {
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF ToColorRef(const QColor& color) {
    return RGB(static_cast<uint8_t>(color.red()), static_cast<uint8_t>(color.green()),
               static_cast<uint8_t>(color.blue()));
}

QTransform ToQTransform(const XFORM& xform) {
    return QTransform(xform.eM11, xform.eM12, xform.eM21, xform.eM22, xform.eDx, xform.eDy);
}

XFORM ToXForm(const QTransform& transform) {
    return XFORM{static_cast<float>(transform.m11()), static_cast<float>(transform.m12()),
                 static_cast<float>(transform.m21()), static_cast<float>(transform.m22()),
                 static_cast<float>(transform.dx()),  static_cast<float>(transform.dy())};
}

QString ToQString(const std::string& text) {
    const auto size = static_cast<qsizetype>(text.size());
    if (CResourceModule::Current().GetEncoding() == CResourceModule::Encoding::Utf8) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString decoded = decoder.decode(QByteArrayView(text.data(), size));
        if (!decoder.hasError()) {
            return decoded;
        }
    }
    return QString::fromLatin1(text.data(), size);
}

std::string ToResourceText(const QString& text) {
    if (CResourceModule::Current().GetEncoding() == CResourceModule::Encoding::Utf8) {
        return text.toStdString();
    }
    return text.toLatin1().toStdString();
}

std::string FromQString(const QString& text) {
    return text.toLatin1().toStdString();
}

bool IsKnownPenStyle(uint32_t style) {
    return style <= PS_INSIDEFRAME;
}

QBrush ToQBrush(const LOGBRUSH& brush) {
    switch (brush.lbStyle) {
        case BS_SOLID:
            return QBrush(ToQColor(brush.lbColor));
        case BS_HATCHED:
            return QBrush(ToQColor(brush.lbColor), HatchStyle(brush.lbHatch));
        default:
            return QBrush(Qt::NoBrush);
    }
}

QList<qreal> DashPattern(uint32_t penStyle) {
    switch (penStyle) {
        case PS_DASH:
            return {18, 6};
        case PS_DOT:
            return {3, 3};
        case PS_DASHDOT:
            return {9, 6, 3, 6};
        case PS_DASHDOTDOT:
            return {9, 3, 3, 3, 3, 3};
        default:
            return {};
    }
}

QFont ToQFont(const LOGFONT& font) {
    QFont result;
    const std::string face = GetFaceName(font);
    if (!face.empty()) {
        result.setFamilies({ToQString(face)});
    }
    result.setWeight(ToQtWeight(font.lfWeight));
    result.setItalic(font.lfItalic != 0);
    result.setUnderline(font.lfUnderline != 0);
    result.setStrikeOut(font.lfStrikeOut != 0);
    result.setKerning(false);
    if (font.lfHeight < 0) {
        // Clamped so that a damaged file cannot ask for an absurd glyph size.
        result.setPixelSize(static_cast<int>(std::min<int64_t>(-int64_t{font.lfHeight}, 0xFFFF)));
    } else if (font.lfHeight > 0) {
        result.setPixelSize(EmHeightForCell(result, std::min<int32_t>(font.lfHeight, 0xFFFF)));
    } else {
        result.setPixelSize(kDefaultEmHeight);
    }
    return result;
}

}  // namespace gdi
