#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QTransform>

#include <string>

#include "platform/ColorRef.h"
#include "platform/LogBrush.h"
#include "platform/LogFont.h"
#include "platform/LogPen.h"
#include "platform/XForm.h"

// Conversions between the stored Win32-layout records and Qt's value types.
namespace gdi {

QColor ToQColor(COLORREF color);
COLORREF ToColorRef(const QColor& color);

// x' = x * eM11 + y * eM21 + eDx, y' = x * eM12 + y * eM22 + eDy both ways.
QTransform ToQTransform(const XFORM& xform);
XFORM ToXForm(const QTransform& transform);

// Text of documents and resources. Under a module that declares UTF-8 a valid
// UTF-8 text is read so; anything else (document text, which is always
// single-byte) is read as Latin-1.
QString ToQString(const std::string& text);
// A window text in the encoding of the current resource module, for the
// functions that take resource-like texts (message boxes).
std::string ToResourceText(const QString& text);
// The text back in the single-byte form the model keeps; characters outside
// Latin-1 become "?".
std::string FromQString(const QString& text);

// A pen style the pens support; anything else draws no outline.
bool IsKnownPenStyle(uint32_t style);
// The brush, or Qt::NoBrush for BS_NULL and unknown styles. Hatches are 8-pixel
// patterns aligned to device pixels, so they do not grow with the zoom.
QBrush ToQBrush(const LOGBRUSH& brush);
// The dash pattern of a one-pixel pen, in pixels; empty for continuous styles.
QList<qreal> DashPattern(uint32_t penStyle);

// The font with its pixel size in logical units: a negative height is the
// character (em) height, a positive one the cell height (ascent + descent), zero
// a default size.
QFont ToQFont(const LOGFONT& font);

}  // namespace gdi
