#include "vexilla/BindCtlToConstraint.h"

#include <algorithm>
#include <limits>

namespace Geometry {

namespace {

constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

int64_t Saturate(int64_t value) {
    return std::clamp(value, kMin, kMax);
}

// newExtent * value / initialExtent, left unchanged when the initial extent is not
// positive (a dialog recorded before it had a size).
int64_t Scale(int64_t value, int64_t newExtent, int64_t initialExtent) {
    if (initialExtent <= 0) {
        return value;
    }
    return Saturate(newExtent * value / initialExtent);
}

// The change times the ratio in single precision, truncated towards zero.
int64_t Share(int64_t change, float ratio) {
    // Far beyond any coordinate, yet small enough that sums stay exact in 64 bits.
    constexpr float kLimit = 4294967296.0f;
    const float product = static_cast<float>(change) * ratio;
    if (!(product > -kLimit)) {  // also catches a NaN ratio
        return -static_cast<int64_t>(kLimit);
    }
    if (!(product < kLimit)) {
        return static_cast<int64_t>(kLimit);
    }
    return static_cast<int64_t>(product);
}

}  // namespace

CRect CBindCtlToConstraint::ResizeControl(CSize newSize, CSize initialSize) const {
    const int64_t x0 = m_rect.left;
    const int64_t y0 = m_rect.top;
    const int64_t w0 = static_cast<int64_t>(m_rect.right) - m_rect.left;
    const int64_t h0 = static_cast<int64_t>(m_rect.bottom) - m_rect.top;
    const int64_t newW = newSize.cx;
    const int64_t newH = newSize.cy;
    const int64_t initialW = initialSize.cx;
    const int64_t initialH = initialSize.cy;
    const uint16_t flags = m_constraint.GetFlags();

    int64_t x = x0;
    int64_t y = y0;
    int64_t w = w0;
    int64_t h = h0;

    if (flags & CConstraint::kFlagPropX) {
        x = Scale(x0, newW, initialW);
    }
    if (flags & CConstraint::kFlagPropCX) {
        w = Scale(w0, newW, initialW);
    }
    if (flags & CConstraint::kFlagPropY) {
        y = Scale(y0, newH, initialH);
    }
    if (flags & CConstraint::kFlagPropCY) {
        h = Scale(h0, newH, initialH);
    }

    const int64_t dW = newW - initialW;
    const int64_t dH = newH - initialH;

    if (flags & CConstraint::kFlagCentreX) {
        x += dW / 2;
    }
    if (flags & CConstraint::kFlagCentreY) {
        y += dH / 2;
    }
    if (flags & CConstraint::kFlagCX) {
        w += Share(dW, m_constraint.GetCXRatio());
    }
    if (flags & CConstraint::kFlagCY) {
        h += Share(dH, m_constraint.GetCYRatio());
    }
    if (flags & CConstraint::kFlagX) {
        x += Share(dW, m_constraint.GetXRatio());
    }
    if (flags & CConstraint::kFlagY) {
        y += Share(dH, m_constraint.GetYRatio());
    }

    x = Saturate(std::max(x, x0));
    y = Saturate(std::max(y, y0));
    w = std::max(w, w0);
    h = std::max(h, h0);
    return CRect(static_cast<int32_t>(x), static_cast<int32_t>(y),
                 static_cast<int32_t>(Saturate(x + w)), static_cast<int32_t>(Saturate(y + h)));
}

}  // namespace Geometry
