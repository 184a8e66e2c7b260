#include "platform/gui/DeviceMapping.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/gui/DC.h"

namespace {

// value * numerator / denominator in 64 bits, rounded half away from zero.
int32_t MulDivRounded(int32_t value, int64_t numerator, int64_t denominator) {
    const long double exact = static_cast<long double>(value) * numerator / denominator;
    return static_cast<int32_t>(std::llround(exact));
}

}  // namespace

int DeviceMapping::SetMode(int mode) {
    const int previous = m_mode;
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC) {
        return 0;
    }
    m_mode = mode;
    if (mode == MM_TEXT) {
        m_windowExt = CSize(1, 1);
        m_viewportExt = CSize(1, 1);
    }
    return previous;
}

CPoint DeviceMapping::SetWindowOrg(CPoint origin) {
    return std::exchange(m_windowOrg, origin);
}

CPoint DeviceMapping::SetViewportOrg(CPoint origin) {
    return std::exchange(m_viewportOrg, origin);
}

CSize DeviceMapping::SetWindowExt(CSize extent) {
    if (m_mode != MM_ANISOTROPIC || extent.cx == 0 || extent.cy == 0) {
        return m_windowExt;
    }
    return std::exchange(m_windowExt, extent);
}

CSize DeviceMapping::SetViewportExt(CSize extent) {
    if (m_mode != MM_ANISOTROPIC || extent.cx == 0 || extent.cy == 0) {
        return m_viewportExt;
    }
    return std::exchange(m_viewportExt, extent);
}

QTransform DeviceMapping::Transform() const {
    const double sx = static_cast<double>(m_viewportExt.cx) / m_windowExt.cx;
    const double sy = static_cast<double>(m_viewportExt.cy) / m_windowExt.cy;
    return QTransform(sx, 0.0, 0.0, sy, m_viewportOrg.x - m_windowOrg.x * sx,
                      m_viewportOrg.y - m_windowOrg.y * sy);
}

CSize DeviceMapping::ScaleToDevice(CSize size) const {
    return CSize(MulDivRounded(size.cx, std::abs(int64_t{m_viewportExt.cx}),
                               std::abs(int64_t{m_windowExt.cx})),
                 MulDivRounded(size.cy, std::abs(int64_t{m_viewportExt.cy}),
                               std::abs(int64_t{m_windowExt.cy})));
}

CSize DeviceMapping::ScaleToLogical(CSize size) const {
    return CSize(MulDivRounded(size.cx, std::abs(int64_t{m_windowExt.cx}),
                               std::abs(int64_t{m_viewportExt.cx})),
                 MulDivRounded(size.cy, std::abs(int64_t{m_windowExt.cy}),
                               std::abs(int64_t{m_viewportExt.cy})));
}
