#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ColorRef.h"
#include "platform/LogBrush.h"
#include "platform/LogFont.h"
#include "platform/LogPen.h"
#include "platform/Point.h"
#include "platform/Rect.h"
#include "platform/Size.h"
#include "platform/XForm.h"
#include "platform/gui/Rgn.h"

class QPainter;
class QPaintDevice;

// Mapping modes, graphics modes and world-transform combination.
enum : int { MM_TEXT = 1, MM_ANISOTROPIC = 8 };
enum : int { GM_COMPATIBLE = 1, GM_ADVANCED = 2 };
enum : int { MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3 };
// Background modes.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// Raster operations for lines.
enum : int { R2_COPYPEN = 13, R2_NOTXORPEN = 10 };
// DrawText format flags.
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// A device context: the drawing surface of the program's windows, images and
// printers, with the semantics the drawing code relies on: logical units mapped
// to device pixels (anisotropic mapping), pens, brushes and fonts from the
// stored Win32-layout records (a negative font height is the character height in
// logical units), DrawText with its format flags, world transforms in the
// advanced graphics mode, and path recording with flattening for hit tests.
class CDC {
public:
    // Draws on a painter that stays owned by the caller (a widget's, a printer's).
    explicit CDC(QPainter& painter);
    // Draws on a device (an image); the context owns its painter.
    explicit CDC(QPaintDevice& device);
    // A context for measuring text and recording paths only (no device).
    CDC();
    ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // State saved and restored as a whole (pen, brush, font, colours, modes,
    // mapping, world transform). RestoreDC(-1) restores the last saved state.
    int SaveDC();
    bool RestoreDC(int savedDC);

    // Mapping between logical and device units.
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetWindowOrg(CPoint origin);
    CSize SetWindowExt(CSize extent);
    CPoint SetViewportOrg(CPoint origin);
    CSize SetViewportExt(CSize extent);
    CPoint GetWindowOrg() const;
    CSize GetWindowExt() const;
    CPoint GetViewportOrg() const;
    CSize GetViewportExt() const;
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    void LPtoDP(CSize* size) const;
    void DPtoLP(CSize* size) const;

    // World transforms (effective in GM_ADVANCED).
    int SetGraphicsMode(int mode);
    int GetGraphicsMode() const;
    bool SetWorldTransform(const XFORM& xform);
    bool ModifyWorldTransform(const XFORM* xform, int mode);
    XFORM GetWorldTransform() const;
    // out = a followed by b.
    static bool CombineTransform(XFORM* out, const XFORM& a, const XFORM& b);

    // Drawing attributes. The Select functions return the previous record.
    LOGPEN SelectPen(const LOGPEN& pen);
    LOGBRUSH SelectBrush(const LOGBRUSH& brush);
    LOGFONT SelectFont(const LOGFONT& font);
    void SelectNullPen();
    void SelectNullBrush();
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    int SetROP2(int mode);

    // Shapes, in logical units.
    CPoint MoveTo(CPoint point);
    bool LineTo(CPoint point);
    bool Rectangle(const CRect& rect);
    bool Ellipse(const CRect& rect);
    bool RoundRect(const CRect& rect, CPoint roundness);
    bool Polygon(const CPoint* points, int count);
    bool Polyline(const CPoint* points, int count);
    COLORREF SetPixel(CPoint point, COLORREF color);
    // SetPixel for many points of one colour at once (a grid).
    void SetPixels(const CPoint* points, int count, COLORREF color);
    void FillSolidRect(const CRect& rect, COLORREF color);
    // Inverts the pixels of a rectangle given in logical units (tracker handles).
    void InvertRect(const CRect& rect);
    void DrawFocusRect(const CRect& rect);

    // Text. Returns the height of the text; with DT_CALCRECT the rectangle is
    // set to the size the text needs and nothing is drawn.
    int DrawText(const std::string& text, CRect* rect, unsigned format);
    CSize GetTextExtent(const std::string& text) const;
    // Ascent + descent and external leading of the selected font, logical units.
    int GetTextHeight() const;
    int GetExternalLeading() const;

    // Paths: between BeginPath and EndPath the shape calls record their outlines
    // (in device space, after the world transform) instead of drawing.
    bool BeginPath();
    bool EndPath();
    bool FlattenPath();
    // The recorded path as figures of points in logical units (the inverse of the
    // current mapping and world transform applied), one vector per figure; a
    // closed figure repeats its first point at the end.
    std::vector<std::vector<CPoint>> GetPath() const;

    // The painter, for code that draws images; its transform maps logical units
    // (after the world transform) to the device.
    QPainter* GetPainter() const;

private:
    struct State;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
