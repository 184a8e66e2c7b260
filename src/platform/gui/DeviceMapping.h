#pragma once

#include <QTransform>

#include "platform/Point.h"
#include "platform/Size.h"

// The mapping from logical to device units: MM_TEXT (one to one) or
// MM_ANISOTROPIC, where per axis
//   device = (logical - window origin) * viewport extent / window extent + viewport origin.
// Negative extents turn an axis round. Origins apply in both modes.
class DeviceMapping {
public:
    int SetMode(int mode);
    int Mode() const { return m_mode; }

    CPoint SetWindowOrg(CPoint origin);
    CPoint SetViewportOrg(CPoint origin);
    // Extents are kept only in MM_ANISOTROPIC and never zero; the previous
    // extent is returned either way.
    CSize SetWindowExt(CSize extent);
    CSize SetViewportExt(CSize extent);

    CPoint WindowOrg() const { return m_windowOrg; }
    CPoint ViewportOrg() const { return m_viewportOrg; }
    CSize WindowExt() const { return m_windowExt; }
    CSize ViewportExt() const { return m_viewportExt; }

    QTransform Transform() const;
    bool operator==(const DeviceMapping&) const = default;
    // A size scaled by the extents' magnitudes, rounded half away from zero.
    CSize ScaleToDevice(CSize size) const;
    CSize ScaleToLogical(CSize size) const;

private:
    int m_mode = 1;  // MM_TEXT
    CPoint m_windowOrg;
    CPoint m_viewportOrg;
    CSize m_windowExt{1, 1};
    CSize m_viewportExt{1, 1};
};
