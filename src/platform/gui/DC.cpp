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
#include "platform/gui/GdiConvert.h"
#include "platform/gui/RecordedPath.h"
#include "platform/gui/TextLayout.h"
#include "platform/gui/TextMetrics.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
// Size of the image a context without device draws on.
constexpr int kScratchSize = 16;

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

CPoint ToCPoint(QPointF point) {
    return CPoint(static_cast<int32_t>(std::lround(point.x())),
                  static_cast<int32_t>(std::lround(point.y())));
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

    QTransform LogicalToDevice() const { return state.world * state.mapping.Transform(); }
    QTransform DeviceToLogical() const;
    void SyncPainter();
    bool CanDraw() const { return !path.IsRecording() && painter->isActive(); }

    // Device geometry.
    double DeviceScale() const;
    QPointF ToDevice(CPoint point) const;
    QPainterPath DeviceShape(Shape shape, const CRect& rect, QSize roundness) const;
    QPainterPath DeviceArea(const CRect& rect) const;

    // Output.
    QPen DevicePen() const;
    bool IsInsideFrame() const;
    void Output(const QPainterPath& devicePath, bool fill);
    void FillInterior(const QPainterPath& devicePath);
    void SetRasterOp(QPainter::CompositionMode mode);
    void Invert(const QPainterPath& deviceArea, const QBrush& pattern);

    // Text.
    const QFont& Font() const;
    QTransform TextSpace(const CRect& rect, QRectF* box) const;
    void DrawLines(const TextLayout& layout, const QRectF& box, unsigned format);
    void DrawLine(const TextLayout::Line& line, QPointF topLeft, const QFontMetrics& metrics);

    std::unique_ptr<QImage> scratch;
    std::unique_ptr<QPainter> ownPainter;
    QPainter* painter = nullptr;
    bool external = false;
    QTransform base;
    State state;
    std::vector<State> saved;
    RecordedPath path;
    mutable std::optional<QFont> font;
};

CDC::Impl::Impl(QPainter& external) : painter(&external), external(true) {
    painter->save();
    base = painter->transform();
}

CDC::Impl::Impl(QPaintDevice& device)
    : ownPainter(std::make_unique<QPainter>(&device)), painter(ownPainter.get()) {}

CDC::Impl::Impl()
    : scratch(std::make_unique<QImage>(kScratchSize, kScratchSize,
                                       QImage::Format_ARGB32_Premultiplied)) {
    scratch->fill(Qt::white);
    ownPainter = std::make_unique<QPainter>(scratch.get());
    painter = ownPainter.get();
}

CDC::Impl::~Impl() {
    if (external && painter->isActive()) {
        painter->restore();
    }
}

QTransform CDC::Impl::DeviceToLogical() const {
    bool invertible = false;
    const QTransform inverse = LogicalToDevice().inverted(&invertible);
    return invertible ? inverse : QTransform();
}

void CDC::Impl::SyncPainter() {
    if (painter->isActive()) {
        painter->setTransform(LogicalToDevice() * base);
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
    const QTransform toDevice = LogicalToDevice();
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
    const QTransform toDevice = LogicalToDevice();
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
QPen CDC::Impl::DevicePen() const {
    const LOGPEN& logPen = state.pen;
    if (logPen.lopnStyle == PS_NULL || !gdi::IsKnownPenStyle(logPen.lopnStyle)) {
        return QPen(Qt::NoPen);
    }
    QPen pen(gdi::ToQColor(logPen.lopnColor));
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
    if (!painter->isActive()) {
        return;
    }
    painter->save();
    painter->setTransform(base);
    if (state.rop2 == R2_NOTXORPEN) {
        SetRasterOp(QPainter::RasterOp_NotSourceXorDestination);
    }
    if (fill) {
        FillInterior(devicePath);
    }
    painter->strokePath(devicePath, DevicePen());
    painter->restore();
}

// Hatches show the background colour between their lines in OPAQUE mode.
void CDC::Impl::FillInterior(const QPainterPath& devicePath) {
    const QBrush brush = gdi::ToQBrush(state.brush);
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
    painter->save();
    painter->setTransform(base);
    painter->setCompositionMode(QPainter::CompositionMode_Difference);
    SetRasterOp(QPainter::RasterOp_SourceXorDestination);
    painter->fillPath(deviceArea, pattern);
    painter->restore();
}

const QFont& CDC::Impl::Font() const {
    if (!font) {
        font = gdi::ToQFont(state.font);
    }
    return *font;
}

// The space text is laid out in: logical units with y downwards from the top-left
// corner of the rectangle on the device, so that glyphs stay upright when the
// mapping turns an axis round. A rotated world keeps the full transform.
QTransform CDC::Impl::TextSpace(const CRect& rect, QRectF* box) const {
    const QTransform toDevice = LogicalToDevice();
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

void CDC::Impl::DrawLines(const TextLayout& layout, const QRectF& box, unsigned format) {
    const QFontMetrics metrics = TextMetrics::Measure(Font());
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
        DrawLine(line, QPointF(x, y), metrics);
        y += layout.LineHeight();
    }
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

CDC::CDC(QPainter& painter) : m_impl(std::make_unique<Impl>(painter)) {
    m_impl->SyncPainter();
}

CDC::CDC(QPaintDevice& device) : m_impl(std::make_unique<Impl>(device)) {
    m_impl->SyncPainter();
}

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
    m_impl->state = m_impl->saved[level - 1];
    m_impl->saved.resize(level - 1);
    m_impl->font.reset();
    m_impl->SyncPainter();
    return true;
}

// --- Mapping ---------------------------------------------------------------

int CDC::SetMapMode(int mode) {
    const int previous = m_impl->state.mapping.SetMode(mode);
    m_impl->SyncPainter();
    return previous;
}

int CDC::GetMapMode() const {
    return m_impl->state.mapping.Mode();
}

CPoint CDC::SetWindowOrg(CPoint origin) {
    const CPoint previous = m_impl->state.mapping.SetWindowOrg(origin);
    m_impl->SyncPainter();
    return previous;
}

CSize CDC::SetWindowExt(CSize extent) {
    const CSize previous = m_impl->state.mapping.SetWindowExt(extent);
    m_impl->SyncPainter();
    return previous;
}

CPoint CDC::SetViewportOrg(CPoint origin) {
    const CPoint previous = m_impl->state.mapping.SetViewportOrg(origin);
    m_impl->SyncPainter();
    return previous;
}

CSize CDC::SetViewportExt(CSize extent) {
    const CSize previous = m_impl->state.mapping.SetViewportExt(extent);
    m_impl->SyncPainter();
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
    const QTransform toDevice = m_impl->LogicalToDevice();
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
    m_impl->SyncPainter();
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
    m_impl->SyncPainter();
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
    return std::exchange(m_impl->state.pen, pen);
}

LOGBRUSH CDC::SelectBrush(const LOGBRUSH& brush) {
    return std::exchange(m_impl->state.brush, brush);
}

LOGFONT CDC::SelectFont(const LOGFONT& font) {
    m_impl->font.reset();
    return std::exchange(m_impl->state.font, font);
}

void CDC::SelectNullPen() {
    m_impl->state.pen = LOGPEN{PS_NULL, CPoint(0, 0), 0};
}

void CDC::SelectNullBrush() {
    m_impl->state.brush = LOGBRUSH{BS_NULL, 0, 0};
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
    const QPointF from = m_impl->ToDevice(m_impl->state.position);
    const QPointF to = m_impl->ToDevice(point);
    m_impl->state.position = point;
    if (m_impl->path.IsRecording()) {
        m_impl->path.LineTo(from, to);
        return true;
    }
    QPainterPath line(from);
    line.lineTo(to);
    m_impl->Output(line, false);
    return true;
}

bool CDC::Rectangle(const CRect& rect) {
    m_impl->Output(m_impl->DeviceShape(Shape::Rectangle, rect, QSize()), true);
    return true;
}

bool CDC::Ellipse(const CRect& rect) {
    m_impl->Output(m_impl->DeviceShape(Shape::Ellipse, rect, QSize()), true);
    return true;
}

bool CDC::RoundRect(const CRect& rect, CPoint roundness) {
    const QSize corner(std::abs(roundness.x), std::abs(roundness.y));
    m_impl->Output(m_impl->DeviceShape(Shape::RoundRect, rect, corner), true);
    return true;
}

bool CDC::Polygon(const CPoint* points, int count) {
    if (points == nullptr || count < 2) {
        return false;
    }
    QPainterPath outline(m_impl->ToDevice(points[0]));
    for (int i = 1; i < count; ++i) {
        outline.lineTo(m_impl->ToDevice(points[i]));
    }
    outline.closeSubpath();
    m_impl->Output(outline, true);
    return true;
}

bool CDC::Polyline(const CPoint* points, int count) {
    if (points == nullptr || count < 2) {
        return false;
    }
    QPainterPath outline(m_impl->ToDevice(points[0]));
    for (int i = 1; i < count; ++i) {
        outline.lineTo(m_impl->ToDevice(points[i]));
    }
    m_impl->Output(outline, false);
    return true;
}

COLORREF CDC::SetPixel(CPoint point, COLORREF color) {
    if (!m_impl->CanDraw()) {
        return color;
    }
    const CPoint device = ToCPoint(m_impl->LogicalToDevice().map(QPointF(point.x, point.y)));
    QPainter& painter = *m_impl->painter;
    painter.save();
    painter.setTransform(m_impl->base);
    painter.fillRect(QRect(device.x, device.y, 1, 1), gdi::ToQColor(color));
    painter.restore();
    return color;
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
    if (!m_impl->CanDraw()) {
        return;
    }
    QPainter& painter = *m_impl->painter;
    painter.save();
    painter.setTransform(m_impl->base);
    painter.fillPath(m_impl->DeviceArea(rect), gdi::ToQColor(color));
    painter.restore();
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
    const QFontMetrics metrics = TextMetrics::Measure(m_impl->Font());
    const TextLayout layout(metrics, text, format, std::abs(rect->Width()));
    if ((format & DT_CALCRECT) != 0) {
        // Rectangles wrap like the 32-bit integers they hold.
        rect->right = geometry::WrapAdd(rect->left, layout.Width());
        rect->bottom = geometry::WrapAdd(rect->top, layout.Height());
        return layout.Height();
    }
    QRectF box;
    const QTransform textSpace = m_impl->TextSpace(*rect, &box);
    if (m_impl->CanDraw()) {
        QPainter& painter = *m_impl->painter;
        painter.save();
        painter.setTransform(textSpace);
        if ((format & DT_NOCLIP) == 0) {
            painter.setClipRect(box, Qt::IntersectClip);
        }
        painter.setFont(m_impl->Font());
        painter.setPen(gdi::ToQColor(m_impl->state.textColor));
        m_impl->DrawLines(layout, box, format);
        painter.restore();
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
    const QFontMetrics metrics = TextMetrics::Measure(m_impl->Font());
    return CSize(metrics.horizontalAdvance(gdi::ToQString(text)), metrics.height());
}

int CDC::GetTextHeight() const {
    return TextMetrics::Measure(m_impl->Font()).height();
}

int CDC::GetExternalLeading() const {
    return std::max(0, TextMetrics::Measure(m_impl->Font()).leading());
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
    return m_impl->painter;
}
