#include "platform/gui/DC.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/gui/DeviceMapping.h"
#include "platform/gui/FontCache.h"
#include "platform/gui/GdiConvert.h"
#include "platform/gui/RecordedPath.h"
#include "platform/gui/TextLayout.h"
#include "platform/gui/TextLayoutCache.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

enum class Shape { Rectangle, Ellipse, RoundRect };

QRectF NormalizedRectF(const CRect& rect) {
    CRect r = rect;
    r.NormalizeRect();
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom));
}

QPainterPath ShapePath(Shape shape, const QRectF& rect, QSizeF roundness) {
    QPainterPath path;
    switch (shape) {
        case Shape::Rectangle:
            path.addRect(rect);
            break;
        case Shape::Ellipse:
            path.addEllipse(rect);
            break;
        case Shape::RoundRect:
            path.addRoundedRect(rect, roundness.width() / 2, roundness.height() / 2);
            break;
    }
    return path;
}

QPointF RoundedPoint(QPointF point) {
    return QPointF(std::round(point.x()), std::round(point.y()));
}

// Rounds half away from zero, as std::lround does, within the int range (the
// conversion truncates towards zero).
int RoundHalfAway(double value) {
    const double away = value < 0 ? value - 0.5 : value + 0.5;
    return static_cast<int>(std::clamp(away, -2147483648.0, 2147483647.0));
}

CPoint ToCPoint(QPointF point) {
    return CPoint(RoundHalfAway(point.x()), RoundHalfAway(point.y()));
}

bool IsScaleOnly(const QTransform& transform) {
    return transform.type() <= QTransform::TxScale;
}

}  // namespace

// Everything SaveDC keeps. The defaults are those of a new context: black
// one-pixel pen, white brush, default font, opaque white background.
struct CDC::State {
    LOGPEN pen{PS_SOLID, CPoint(0, 0), 0};
    LOGBRUSH brush{BS_SOLID, kWhite, 0};
    LOGFONT font{};
    int bkMode = OPAQUE;
    COLORREF bkColor = kWhite;
    COLORREF textColor = 0;
    int rop2 = R2_COPYPEN;
    DeviceMapping mapping;
    int graphicsMode = GM_COMPATIBLE;
    // Only ever other than the identity in GM_ADVANCED.
    QTransform world;
    CPoint position;
};

struct CDC::Impl {
    explicit Impl(QPainter& external);
    explicit Impl(QPaintDevice& device);
    Impl();
    ~Impl();

    const QTransform& LogicalToDevice() const;
    QTransform DeviceToLogical() const;
    // The mapping or the world transform changed: what was worked out from them
    // is worked out again when next needed.
    void MappingChanged();
    // The painter's transform: the caller's own for drawing in device pixels, or
    // that one after the logical-to-device mapping for drawing primitives in
    // logical units. Set only when it changes.
    void UseDeviceSpace();
    void UseLogicalSpace();
    // A context without a device measures text and records paths; it has no
    // painter, so that making one (as every text measurement does) costs little.
    bool IsPainting() const { return painter != nullptr && painter->isActive(); }
    bool CanDraw() const { return !path.IsRecording() && IsPainting(); }

    // Device geometry.
    double DeviceScale() const;
    QPointF ToDevice(CPoint point) const;
    QPainterPath DeviceShape(Shape shape, const CRect& rect, QSize roundness) const;
    QPainterPath DeviceArea(const CRect& rect) const;

    // Output.
    const QPen& DevicePen() const;
    const QBrush& DeviceBrush() const;
    bool IsInsideFrame() const;
    void Output(const QPainterPath& devicePath, bool fill);
    // Whole-pixel shapes drawn by the painter's own primitives, which it draws
    // faster than the same outline as a path.
    bool CanDrawPrimitives() const;
    bool InLogicalSpace() const;
    void BeginPrimitive(bool fill);
    void EndPrimitive();
    void DrawShape(Shape shape, const CRect& rect, QSize roundness);
    void DrawPoints(const CPoint* points, int count, bool closed, bool fill);
    void FillInterior(const QPainterPath& devicePath);
    void SetRasterOp(QPainter::CompositionMode mode);
    void Invert(const QPainterPath& deviceArea, const QBrush& pattern);

    // Text.
    const QFont& Font() const;
    const std::shared_ptr<const CFontCache::Entry>& FontEntry() const;
    QTransform TextSpace(const CRect& rect, QRectF* box) const;
    bool FitsInBox(const TextLayout& layout, const QRectF& box, unsigned format,
                   const QTransform& textSpace) const;
    void DrawLines(const TextLayout& layout, const QRectF& box, unsigned format);
    void DrawLine(const TextLayout::Line& line, QPointF topLeft, const QFontMetrics& metrics);

    std::unique_ptr<QPainter> ownPainter;
    QPainter* painter = nullptr;
    bool external = false;
    QTransform base;
    State state;
    std::vector<State> saved;
    RecordedPath path;
    // Worked out from the state when first needed.
    mutable std::shared_ptr<const CFontCache::Entry> font;
    mutable std::optional<QTransform> toDevice;
    mutable std::optional<QPen> devicePen;
    mutable std::optional<QBrush> deviceBrush;
    enum class PainterSpace { Device, Logical, Other };
    PainterSpace painterSpace = PainterSpace::Device;
    // The font last given to the painter, so that it is given again only when
    // another one is needed; held, so that no other font can take its address.
    std::shared_ptr<const CFontCache::Entry> painterFont;
};

CDC::Impl::Impl(QPainter& external) : painter(&external), external(true) {
    painter->save();
    base = painter->transform();
}

CDC::Impl::Impl(QPaintDevice& device)
    : ownPainter(std::make_unique<QPainter>(&device)), painter(ownPainter.get()) {}

CDC::Impl::Impl() = default;

CDC::Impl::~Impl() {
    if (external && IsPainting()) {
        painter->restore();
    }
}

QTransform CDC::Impl::DeviceToLogical() const {
    bool invertible = false;
    const QTransform inverse = LogicalToDevice().inverted(&invertible);
    return invertible ? inverse : QTransform();
}

const QTransform& CDC::Impl::LogicalToDevice() const {
    if (!toDevice) {
        toDevice = state.world * state.mapping.Transform();
    }
    return *toDevice;
}

void CDC::Impl::MappingChanged() {
    toDevice.reset();
    devicePen.reset();  // its width follows the scale
    if (painterSpace == PainterSpace::Logical) {
        painterSpace = PainterSpace::Other;
    }
}

void CDC::Impl::UseDeviceSpace() {
    if (painterSpace != PainterSpace::Device && IsPainting()) {
        painter->setTransform(base);
        painterSpace = PainterSpace::Device;
    }
}

void CDC::Impl::UseLogicalSpace() {
    if (painterSpace != PainterSpace::Logical && IsPainting()) {
        painter->setTransform(LogicalToDevice() * base);
        painterSpace = PainterSpace::Logical;
    }
}

// How much a logical length grows on the device (pen widths).
double CDC::Impl::DeviceScale() const {
    return std::sqrt(std::abs(LogicalToDevice().determinant()));
}

// Device points are whole pixels in GM_COMPATIBLE; the advanced mode keeps the
// fractions so that recorded paths map back exactly.
QPointF CDC::Impl::ToDevice(CPoint point) const {
    const QPointF device = LogicalToDevice().map(QPointF(point.x, point.y));
    return state.graphicsMode == GM_ADVANCED ? device : RoundedPoint(device);
}

// Closed shapes include their right and bottom edges only in GM_ADVANCED; in
// GM_COMPATIBLE they end one pixel before them.
QPainterPath CDC::Impl::DeviceShape(Shape shape, const CRect& rect, QSize roundness) const {
    QRectF logical = NormalizedRectF(rect);
    if (IsInsideFrame()) {
        const double half = state.pen.lopnWidth.x / 2.0;
        logical.adjust(half, half, -half, -half);
    }
    const QTransform& toDevice = LogicalToDevice();
    if (state.graphicsMode == GM_ADVANCED || !IsScaleOnly(toDevice)) {
        return ShapePath(shape, logical, QSizeF(roundness)) * toDevice;
    }
    QRectF device = toDevice.mapRect(logical);
    device = QRectF(RoundedPoint(device.topLeft()), RoundedPoint(device.bottomRight()));
    device.adjust(0, 0, -std::min(1.0, device.width()), -std::min(1.0, device.height()));
    const QSizeF deviceRoundness(roundness.width() * std::abs(toDevice.m11()),
                                 roundness.height() * std::abs(toDevice.m22()));
    return ShapePath(shape, device, deviceRoundness);
}

// The pixels of a rectangle, right and bottom edges excluded, for fills that do
// not use the pen or brush.
QPainterPath CDC::Impl::DeviceArea(const CRect& rect) const {
    const QTransform& toDevice = LogicalToDevice();
    const QRectF logical = NormalizedRectF(rect);
    QPainterPath area;
    if (IsScaleOnly(toDevice)) {
        const QRectF device = toDevice.mapRect(logical);
        area.addRect(QRectF(RoundedPoint(device.topLeft()), RoundedPoint(device.bottomRight())));
    } else {
        area.addPolygon(toDevice.map(QPolygonF(logical)));
        area.closeSubpath();
    }
    return area;
}

// Recorded paths keep the shape's own outline.
bool CDC::Impl::IsInsideFrame() const {
    return !path.IsRecording() && state.pen.lopnStyle == PS_INSIDEFRAME &&
           state.pen.lopnWidth.x * DeviceScale() > 1.0;
}

// Pens up to one device pixel wide are cosmetic and may be dashed; wider ones are
// drawn solid with round ends, their width scaled from logical units.
const QPen& CDC::Impl::DevicePen() const {
    if (devicePen) {
        return *devicePen;
    }
    const LOGPEN& logPen = state.pen;
    if (logPen.lopnStyle == PS_NULL || !gdi::IsKnownPenStyle(logPen.lopnStyle)) {
        return devicePen.emplace(Qt::NoPen);
    }
    QPen& pen = devicePen.emplace(gdi::ToQColor(logPen.lopnColor));
    const double width = std::max(0, logPen.lopnWidth.x) * DeviceScale();
    if (width > 1.0) {
        pen.setWidthF(width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    const QList<qreal> dashes = gdi::DashPattern(logPen.lopnStyle);
    if (!dashes.isEmpty()) {
        pen.setDashPattern(dashes);
    }
    return pen;
}

const QBrush& CDC::Impl::DeviceBrush() const {
    if (!deviceBrush) {
        deviceBrush = gdi::ToQBrush(state.brush);
    }
    return *deviceBrush;
}

void CDC::Impl::SetRasterOp(QPainter::CompositionMode mode) {
    if (painter->paintEngine() != nullptr &&
        painter->paintEngine()->hasFeature(QPaintEngine::RasterOpModes)) {
        painter->setCompositionMode(mode);
    }
}

void CDC::Impl::Output(const QPainterPath& devicePath, bool fill) {
    if (path.IsRecording()) {
        path.Add(devicePath);
        return;
    }
    if (!IsPainting()) {
        return;
    }
    UseDeviceSpace();
    if (state.rop2 == R2_NOTXORPEN) {
        SetRasterOp(QPainter::RasterOp_NotSourceXorDestination);
    }
    if (fill) {
        FillInterior(devicePath);
    }
    painter->strokePath(devicePath, DevicePen());
    if (state.rop2 == R2_NOTXORPEN) {
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// Primitives give the pixels the path outlines give: in GM_COMPATIBLE when every
// corner is a whole device pixel; in GM_ADVANCED drawn in logical units through
// the mapping, as long as the pen is a cosmetic one (a wide pen's width is worked
// out for the device). Neither when a hatch needs its background first.
bool CDC::Impl::CanDrawPrimitives() const {
    if (path.IsRecording() || !IsPainting() ||
        (state.brush.lbStyle == BS_HATCHED && state.bkMode == OPAQUE)) {
        return false;
    }
    if (state.graphicsMode == GM_COMPATIBLE) {
        return IsScaleOnly(LogicalToDevice());
    }
    const QPen& pen = DevicePen();
    return pen.style() == Qt::NoPen || pen.isCosmetic();
}

bool CDC::Impl::InLogicalSpace() const {
    return state.graphicsMode == GM_ADVANCED;
}

// Lines and open polylines are never filled: their brush is left as it is,
// since every change of brush costs the painter a new fill set-up.
void CDC::Impl::BeginPrimitive(bool fill) {
    if (InLogicalSpace()) {
        UseLogicalSpace();
    } else {
        UseDeviceSpace();
    }
    if (state.rop2 == R2_NOTXORPEN) {
        SetRasterOp(QPainter::RasterOp_NotSourceXorDestination);
    }
    painter->setPen(DevicePen());
    if (fill) {
        painter->setBrush(DeviceBrush());
    }
}

void CDC::Impl::EndPrimitive() {
    if (state.rop2 == R2_NOTXORPEN) {
        painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

void CDC::Impl::DrawShape(Shape shape, const CRect& rect, QSize roundness) {
    if (!CanDrawPrimitives()) {
        Output(DeviceShape(shape, rect, roundness), true);
        return;
    }
    if (InLogicalSpace()) {
        BeginPrimitive(true);
        const QRectF logical = NormalizedRectF(rect);
        switch (shape) {
            case Shape::Rectangle:
                painter->drawRect(logical);
                break;
            case Shape::Ellipse:
                painter->drawEllipse(logical);
                break;
            case Shape::RoundRect:
                painter->drawRoundedRect(logical, roundness.width() / 2.0,
                                         roundness.height() / 2.0);
                break;
        }
        EndPrimitive();
        return;
    }
    // The same rectangle DeviceShape outlines in GM_COMPATIBLE.
    QRectF logical = NormalizedRectF(rect);
    if (IsInsideFrame()) {
        const double half = state.pen.lopnWidth.x / 2.0;
        logical.adjust(half, half, -half, -half);
    }
    const QTransform& toDevice = LogicalToDevice();
    QRectF device = toDevice.mapRect(logical);
    device = QRectF(RoundedPoint(device.topLeft()), RoundedPoint(device.bottomRight()));
    device.adjust(0, 0, -std::min(1.0, device.width()), -std::min(1.0, device.height()));
    BeginPrimitive(true);
    switch (shape) {
        case Shape::Rectangle:
            painter->drawRect(device);
            break;
        case Shape::Ellipse:
            painter->drawEllipse(device);
            break;
        case Shape::RoundRect:
            painter->drawRoundedRect(device, roundness.width() * std::abs(toDevice.m11()) / 2,
                                     roundness.height() * std::abs(toDevice.m22()) / 2);
            break;
    }
    EndPrimitive();
}

void CDC::Impl::DrawPoints(const CPoint* points, int count, bool closed, bool fill) {
    if (!CanDrawPrimitives()) {
        QPainterPath outline(ToDevice(points[0]));
        for (int i = 1; i < count; ++i) {
            outline.lineTo(ToDevice(points[i]));
        }
        if (closed) {
            outline.closeSubpath();
        }
        Output(outline, fill);
        return;
    }
    QPolygonF device(count);
    for (int i = 0; i < count; ++i) {
        device[i] = InLogicalSpace() ? QPointF(points[i].x, points[i].y) : ToDevice(points[i]);
    }
    BeginPrimitive(fill);
    if (closed) {
        painter->drawPolygon(device, Qt::OddEvenFill);
    } else {
        painter->drawPolyline(device);
    }
    EndPrimitive();
}

// Hatches show the background colour between their lines in OPAQUE mode.
void CDC::Impl::FillInterior(const QPainterPath& devicePath) {
    const QBrush& brush = DeviceBrush();
    if (brush.style() == Qt::NoBrush) {
        return;
    }
    if (state.brush.lbStyle == BS_HATCHED && state.bkMode == OPAQUE) {
        painter->fillPath(devicePath, gdi::ToQColor(state.bkColor));
    }
    painter->fillPath(devicePath, brush);
}

void CDC::Impl::Invert(const QPainterPath& deviceArea, const QBrush& pattern) {
    if (!CanDraw()) {
        return;
    }
    UseDeviceSpace();
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_Difference);
    SetRasterOp(QPainter::RasterOp_SourceXorDestination);
    painter->fillPath(deviceArea, pattern);
    painter->restore();
}

const std::shared_ptr<const CFontCache::Entry>& CDC::Impl::FontEntry() const {
    if (!font) {
        font = CFontCache::Find(state.font);
    }
    return font;
}

const QFont& CDC::Impl::Font() const {
    return FontEntry()->font;
}

// The space text is laid out in: logical units with y downwards from the top-left
// corner of the rectangle on the device, so that glyphs stay upright when the
// mapping turns an axis round. A rotated world keeps the full transform.
QTransform CDC::Impl::TextSpace(const CRect& rect, QRectF* box) const {
    const QTransform& toDevice = LogicalToDevice();
    const QRectF logical = NormalizedRectF(rect);
    if (!IsScaleOnly(toDevice)) {
        *box = logical;
        return toDevice * base;
    }
    const QRectF device = toDevice.mapRect(logical);
    const double sx = std::abs(toDevice.m11());
    const double sy = std::abs(toDevice.m22());
    *box = QRectF(0, 0, logical.width(), logical.height());
    return QTransform(sx, 0, 0, sy, device.left(), device.top()) * base;
}

// Calls visit(line, top-left corner of the line) for each line in the box.
template <typename Visit>
void ForEachLine(const TextLayout& layout, const QRectF& box, unsigned format, Visit visit) {
    double y = box.top();
    if ((format & DT_SINGLELINE) != 0 && (format & DT_BOTTOM) != 0) {
        y = box.bottom() - layout.Height();
    } else if ((format & DT_SINGLELINE) != 0 && (format & DT_VCENTER) != 0) {
        y = box.top() + std::floor((box.height() - layout.Height()) / 2);
    }
    for (const TextLayout::Line& line : layout.Lines()) {
        double x = box.left();
        if ((format & DT_CENTER) != 0) {
            x += std::floor((box.width() - line.width) / 2);
        } else if ((format & DT_RIGHT) != 0) {
            x = box.right() - line.width;
        }
        visit(line, QPointF(x, y));
        y += layout.LineHeight();
    }
}

// True when nothing the text puts out (glyphs, background, underline) can fall
// outside the box, so that clipping to it would change no pixel.
bool CDC::Impl::FitsInBox(const TextLayout& layout, const QRectF& box, unsigned format,
                          const QTransform& textSpace) const {
    const QFontMetrics& metrics = FontEntry()->metrics;
    // The glyphs are measured at the font's size in logical units but drawn through
    // the mapping; a margin of a device pixel and a unit covers the difference.
    const double deviceScale =
        std::max(1e-6, std::min(std::hypot(textSpace.m11(), textSpace.m12()),
                                std::hypot(textSpace.m21(), textSpace.m22())));
    const double margin = 1.0 / deviceScale;
    bool fits = true;
    ForEachLine(layout, box, format, [&](const TextLayout::Line& line, QPointF topLeft) {
        const QPointF baseline(topLeft.x(), topLeft.y() + metrics.ascent());
        const QRectF ink =
            QRectF(line.ink).translated(baseline).adjusted(-margin, -margin, margin, margin);
        const QRectF background(topLeft, QSizeF(line.width, metrics.height()));
        fits = fits && line.underlined < 0 && box.contains(ink) &&
               (state.bkMode != OPAQUE || box.contains(background));
    });
    return fits;
}

void CDC::Impl::DrawLines(const TextLayout& layout, const QRectF& box, unsigned format) {
    const QFontMetrics& metrics = FontEntry()->metrics;
    ForEachLine(layout, box, format, [&](const TextLayout::Line& line, QPointF topLeft) {
        DrawLine(line, topLeft, metrics);
    });
}

void CDC::Impl::DrawLine(const TextLayout::Line& line, QPointF topLeft,
                         const QFontMetrics& metrics) {
    if (state.bkMode == OPAQUE) {
        painter->fillRect(QRectF(topLeft, QSizeF(line.width, metrics.height())),
                          gdi::ToQColor(state.bkColor));
    }
    const QPointF baseline(topLeft.x(), topLeft.y() + metrics.ascent());
    painter->drawText(baseline, line.text);
    if (line.underlined >= 0) {
        const double x = baseline.x() + metrics.horizontalAdvance(line.text.left(line.underlined));
        const double width = metrics.horizontalAdvance(line.text.at(line.underlined));
        const double y = baseline.y() + std::max(1, metrics.underlinePos());
        painter->fillRect(QRectF(x, y, width, std::max(1, metrics.lineWidth())),
                          painter->pen().color());
    }
}

// ---------------------------------------------------------------------------

CDC::CDC(QPainter& painter) : m_impl(std::make_unique<Impl>(painter)) {}

CDC::CDC(QPaintDevice& device) : m_impl(std::make_unique<Impl>(device)) {}

CDC::CDC() : m_impl(std::make_unique<Impl>()) {}

CDC::~CDC() = default;

int CDC::SaveDC() {
    m_impl->saved.push_back(m_impl->state);
    return static_cast<int>(m_impl->saved.size());
}

bool CDC::RestoreDC(int savedDC) {
    const int count = static_cast<int>(m_impl->saved.size());
    const int level = savedDC < 0 ? count + 1 + savedDC : savedDC;
    if (savedDC == 0 || level < 1 || level > count) {
        return false;
    }
    // What was worked out from the state is kept where the restored state agrees,
    // as it mostly does: objects save and restore around a change of pen or brush.
    Impl& impl = *m_impl;
    State& restored = impl.saved[level - 1];
    const bool sameMapping =
        restored.mapping == impl.state.mapping && restored.world == impl.state.world;
    const bool samePen = restored.pen == impl.state.pen;
    const bool sameBrush = restored.brush == impl.state.brush;
    impl.state = std::move(restored);
    impl.saved.resize(level - 1);
    if (impl.font && !(impl.font->logFont == impl.state.font)) {
        impl.font.reset();
    }
    if (!sameMapping) {
        impl.MappingChanged();
    } else if (!samePen) {
        impl.devicePen.reset();
    }
    if (!sameBrush) {
        impl.deviceBrush.reset();
    }
    return true;
}

// --- Mapping ---------------------------------------------------------------

int CDC::SetMapMode(int mode) {
    const int previous = m_impl->state.mapping.SetMode(mode);
    m_impl->MappingChanged();
    return previous;
}

int CDC::GetMapMode() const {
    return m_impl->state.mapping.Mode();
}

CPoint CDC::SetWindowOrg(CPoint origin) {
    const CPoint previous = m_impl->state.mapping.SetWindowOrg(origin);
    m_impl->MappingChanged();
    return previous;
}

CSize CDC::SetWindowExt(CSize extent) {
    const CSize previous = m_impl->state.mapping.SetWindowExt(extent);
    m_impl->MappingChanged();
    return previous;
}

CPoint CDC::SetViewportOrg(CPoint origin) {
    const CPoint previous = m_impl->state.mapping.SetViewportOrg(origin);
    m_impl->MappingChanged();
    return previous;
}

CSize CDC::SetViewportExt(CSize extent) {
    const CSize previous = m_impl->state.mapping.SetViewportExt(extent);
    m_impl->MappingChanged();
    return previous;
}

CPoint CDC::GetWindowOrg() const {
    return m_impl->state.mapping.WindowOrg();
}

CSize CDC::GetWindowExt() const {
    return m_impl->state.mapping.WindowExt();
}

CPoint CDC::GetViewportOrg() const {
    return m_impl->state.mapping.ViewportOrg();
}

CSize CDC::GetViewportExt() const {
    return m_impl->state.mapping.ViewportExt();
}

void CDC::LPtoDP(CPoint* points, int count) const {
    const QTransform& toDevice = m_impl->LogicalToDevice();
    for (int i = 0; points != nullptr && i < count; ++i) {
        points[i] = ToCPoint(toDevice.map(QPointF(points[i].x, points[i].y)));
    }
}

void CDC::LPtoDP(CRect* rect) const {
    CPoint corners[2] = {rect->TopLeft(), rect->BottomRight()};
    LPtoDP(corners, 2);
    rect->SetRect(corners[0], corners[1]);
}

void CDC::DPtoLP(CPoint* points, int count) const {
    const QTransform toLogical = m_impl->DeviceToLogical();
    for (int i = 0; points != nullptr && i < count; ++i) {
        points[i] = ToCPoint(toLogical.map(QPointF(points[i].x, points[i].y)));
    }
}

void CDC::DPtoLP(CRect* rect) const {
    CPoint corners[2] = {rect->TopLeft(), rect->BottomRight()};
    DPtoLP(corners, 2);
    rect->SetRect(corners[0], corners[1]);
}

void CDC::LPtoDP(CSize* size) const {
    *size = m_impl->state.mapping.ScaleToDevice(*size);
}

void CDC::DPtoLP(CSize* size) const {
    *size = m_impl->state.mapping.ScaleToLogical(*size);
}

// --- World transform -------------------------------------------------------

// Going back to GM_COMPATIBLE fails while the world transform is not the identity.
int CDC::SetGraphicsMode(int mode) {
    State& state = m_impl->state;
    if ((mode != GM_COMPATIBLE && mode != GM_ADVANCED) ||
        (mode == GM_COMPATIBLE && !state.world.isIdentity())) {
        return 0;
    }
    return std::exchange(state.graphicsMode, mode);
}

int CDC::GetGraphicsMode() const {
    return m_impl->state.graphicsMode;
}

bool CDC::SetWorldTransform(const XFORM& xform) {
    const QTransform world = gdi::ToQTransform(xform);
    if (m_impl->state.graphicsMode != GM_ADVANCED || !world.isInvertible()) {
        return false;
    }
    m_impl->state.world = world;
    m_impl->MappingChanged();
    return true;
}

bool CDC::ModifyWorldTransform(const XFORM* xform, int mode) {
    QTransform& world = m_impl->state.world;
    if (m_impl->state.graphicsMode != GM_ADVANCED) {
        return false;
    }
    if (mode == MWT_IDENTITY) {
        world.reset();
    } else if (xform != nullptr && mode == MWT_LEFTMULTIPLY) {
        world = gdi::ToQTransform(*xform) * world;
    } else if (xform != nullptr && mode == MWT_RIGHTMULTIPLY) {
        world = world * gdi::ToQTransform(*xform);
    } else {
        return false;
    }
    m_impl->MappingChanged();
    return true;
}

XFORM CDC::GetWorldTransform() const {
    return gdi::ToXForm(m_impl->state.world);
}

bool CDC::CombineTransform(XFORM* out, const XFORM& a, const XFORM& b) {
    if (out == nullptr) {
        return false;
    }
    *out = gdi::ToXForm(gdi::ToQTransform(a) * gdi::ToQTransform(b));
    return true;
}

// --- Attributes ------------------------------------------------------------

LOGPEN CDC::SelectPen(const LOGPEN& pen) {
    if (!(pen == m_impl->state.pen)) {
        m_impl->devicePen.reset();
    }
    return std::exchange(m_impl->state.pen, pen);
}

LOGBRUSH CDC::SelectBrush(const LOGBRUSH& brush) {
    if (!(brush == m_impl->state.brush)) {
        m_impl->deviceBrush.reset();
    }
    return std::exchange(m_impl->state.brush, brush);
}

LOGFONT CDC::SelectFont(const LOGFONT& font) {
    if (m_impl->font && !(m_impl->font->logFont == font)) {
        m_impl->font.reset();
    }
    return std::exchange(m_impl->state.font, font);
}

void CDC::SelectNullPen() {
    SelectPen(LOGPEN{PS_NULL, CPoint(0, 0), 0});
}

void CDC::SelectNullBrush() {
    SelectBrush(LOGBRUSH{BS_NULL, 0, 0});
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
        return 0;
    }
    return std::exchange(m_impl->state.bkMode, mode);
}

int CDC::GetBkMode() const {
    return m_impl->state.bkMode;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m_impl->state.bkColor, color);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m_impl->state.textColor, color);
}

COLORREF CDC::GetTextColor() const {
    return m_impl->state.textColor;
}

int CDC::SetROP2(int mode) {
    return std::exchange(m_impl->state.rop2, mode);
}

// --- Shapes ----------------------------------------------------------------

CPoint CDC::MoveTo(CPoint point) {
    if (m_impl->path.IsRecording()) {
        m_impl->path.MoveTo(m_impl->ToDevice(point));
    }
    return std::exchange(m_impl->state.position, point);
}

bool CDC::LineTo(CPoint point) {
    const CPoint line[] = {std::exchange(m_impl->state.position, point), point};
    if (m_impl->path.IsRecording()) {
        m_impl->path.LineTo(m_impl->ToDevice(line[0]), m_impl->ToDevice(line[1]));
        return true;
    }
    m_impl->DrawPoints(line, 2, false, false);
    return true;
}

bool CDC::Rectangle(const CRect& rect) {
    m_impl->DrawShape(Shape::Rectangle, rect, QSize());
    return true;
}

bool CDC::Ellipse(const CRect& rect) {
    m_impl->DrawShape(Shape::Ellipse, rect, QSize());
    return true;
}

bool CDC::RoundRect(const CRect& rect, CPoint roundness) {
    m_impl->DrawShape(Shape::RoundRect, rect, QSize(std::abs(roundness.x), std::abs(roundness.y)));
    return true;
}

bool CDC::Polygon(const CPoint* points, int count) {
    if (points == nullptr || count < 2) {
        return false;
    }
    m_impl->DrawPoints(points, count, true, true);
    return true;
}

bool CDC::Polyline(const CPoint* points, int count) {
    if (points == nullptr || count < 2) {
        return false;
    }
    m_impl->DrawPoints(points, count, false, false);
    return true;
}

COLORREF CDC::SetPixel(CPoint point, COLORREF color) {
    SetPixels(&point, 1, color);
    return color;
}

void CDC::SetPixels(const CPoint* points, int count, COLORREF color) {
    if (!m_impl->CanDraw() || points == nullptr || count <= 0) {
        return;
    }
    const QTransform& toDevice = m_impl->LogicalToDevice();
    QPolygon device(count);
    if (IsScaleOnly(toDevice)) {
        // A grid has thousands of dots: the scale applied directly.
        for (int i = 0; i < count; ++i) {
            device[i] = QPoint(RoundHalfAway(points[i].x * toDevice.m11() + toDevice.dx()),
                               RoundHalfAway(points[i].y * toDevice.m22() + toDevice.dy()));
        }
    } else {
        for (int i = 0; i < count; ++i) {
            const CPoint pixel = ToCPoint(toDevice.map(QPointF(points[i].x, points[i].y)));
            device[i] = QPoint(pixel.x, pixel.y);
        }
    }
    m_impl->UseDeviceSpace();
    QPainter& painter = *m_impl->painter;
    QPen pen(gdi::ToQColor(color), 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawPoints(device);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
    if (!m_impl->CanDraw()) {
        return;
    }
    m_impl->UseDeviceSpace();
    const QTransform& toDevice = m_impl->LogicalToDevice();
    if (IsScaleOnly(toDevice)) {
        // The page and its surround: whole pixels, filled without a path.
        const QRectF device = toDevice.mapRect(NormalizedRectF(rect));
        m_impl->painter->fillRect(
            QRectF(RoundedPoint(device.topLeft()), RoundedPoint(device.bottomRight())),
            gdi::ToQColor(color));
        return;
    }
    m_impl->painter->fillPath(m_impl->DeviceArea(rect), gdi::ToQColor(color));
}

void CDC::InvertRect(const CRect& rect) {
    m_impl->Invert(m_impl->DeviceArea(rect), QBrush(Qt::white));
}

// A one-pixel frame inside the rectangle, every other pixel inverted, so that a
// second call takes it away again.
void CDC::DrawFocusRect(const CRect& rect) {
    const QRectF area = m_impl->DeviceArea(rect).boundingRect();
    QPainterPath frame;
    frame.addRect(area);
    if (area.width() > 2 && area.height() > 2) {
        frame.addRect(area.adjusted(1, 1, -1, -1));
    }
    frame.setFillRule(Qt::OddEvenFill);
    m_impl->Invert(frame, QBrush(Qt::white, Qt::Dense4Pattern));
}

// --- Text ------------------------------------------------------------------

int CDC::DrawText(const std::string& text, CRect* rect, unsigned format) {
    if (rect == nullptr) {
        return 0;
    }
    const TextLayout& layout =
        CTextLayoutCache::Find(m_impl->FontEntry(), text, format, std::abs(rect->Width()));
    if ((format & DT_CALCRECT) != 0) {
        // Rectangles wrap like the 32-bit integers they hold.
        rect->right = geometry::WrapAdd(rect->left, layout.Width());
        rect->bottom = geometry::WrapAdd(rect->top, layout.Height());
        return layout.Height();
    }
    QRectF box;
    const QTransform textSpace = m_impl->TextSpace(*rect, &box);
    if (m_impl->CanDraw()) {
        m_impl->UseDeviceSpace();
        QPainter& painter = *m_impl->painter;
        // Font and colour are given before the state is saved, so that they stay
        // for the next text. A text that fits its box needs no clip, and without a
        // clip the painter's state need not be saved, which costs more than the
        // text itself.
        if (m_impl->painterFont != m_impl->FontEntry()) {
            painter.setFont(m_impl->Font());
            m_impl->painterFont = m_impl->FontEntry();
        }
        painter.setPen(gdi::ToQColor(m_impl->state.textColor));
        const bool clip =
            (format & DT_NOCLIP) == 0 && !m_impl->FitsInBox(layout, box, format, textSpace);
        if (clip) {
            painter.save();
        }
        painter.setTransform(textSpace);
        m_impl->painterSpace = Impl::PainterSpace::Other;
        if (clip) {
            painter.setClipRect(box, Qt::IntersectClip);
        }
        m_impl->DrawLines(layout, box, format);
        if (clip) {
            painter.restore();
            m_impl->painterSpace = Impl::PainterSpace::Device;
        }
    }
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    if (singleLine && (format & DT_BOTTOM) != 0) {
        return static_cast<int>(box.height());
    }
    if (singleLine && (format & DT_VCENTER) != 0) {
        return static_cast<int>(std::floor((box.height() - layout.Height()) / 2)) + layout.Height();
    }
    return layout.Height();
}

CSize CDC::GetTextExtent(const std::string& text) const {
    const QFontMetrics& metrics = m_impl->FontEntry()->metrics;
    return CSize(metrics.horizontalAdvance(gdi::ToQString(text)), metrics.height());
}

int CDC::GetTextHeight() const {
    return m_impl->FontEntry()->metrics.height();
}

int CDC::GetExternalLeading() const {
    return std::max(0, m_impl->FontEntry()->metrics.leading());
}

// --- Paths -----------------------------------------------------------------

bool CDC::BeginPath() {
    m_impl->path.Begin();
    return true;
}

bool CDC::EndPath() {
    return m_impl->path.End();
}

bool CDC::FlattenPath() {
    return m_impl->path.Flatten(m_impl->DeviceToLogical());
}

std::vector<std::vector<CPoint>> CDC::GetPath() const {
    return m_impl->path.Figures(m_impl->DeviceToLogical());
}

QPainter* CDC::GetPainter() const {
    m_impl->UseLogicalSpace();
    return m_impl->painter;
}
