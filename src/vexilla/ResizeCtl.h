#pragma once

#include <cstdint>

#include "platform/Rect.h"

namespace Geometry {

// A control of a resizable dialog: its identifier and its initial rectangle in the
// dialog's client coordinates.
struct SResizeCtl {
    SResizeCtl() = default;
    SResizeCtl(uint32_t id, const CRect& rect) : m_id(id), m_rect(rect) {}

    bool operator==(const SResizeCtl&) const = default;

    uint32_t m_id = 0;
    CRect m_rect;
};

}  // namespace Geometry
