#include "diagram/RectHandles.h"

namespace recthandles {

namespace {

constexpr Handle kHandles[kCount] = {
    {-1, -1, IDC_SIZENWSE}, {0, -1, IDC_SIZENS}, {1, -1, IDC_SIZENESW}, {1, 0, IDC_SIZEWE},
    {1, 1, IDC_SIZENWSE},   {0, 1, IDC_SIZENS},  {-1, 1, IDC_SIZENESW}, {-1, 0, IDC_SIZEWE},
};

}  // namespace

const Handle* Find(int handle) {
    return handle >= 1 && handle <= kCount ? &kHandles[handle - 1] : nullptr;
}

CPoint Position(const CRect& rect, int handle) {
    const Handle* h = Find(handle);
    if (h == nullptr) {
        return CPoint();
    }
    auto along = [](int8_t side, int32_t low, int32_t high, int32_t extent) {
        return side < 0 ? low : side > 0 ? high : geometry::WrapAdd(low, extent / 2);
    };
    return CPoint(along(h->x, rect.left, rect.right, rect.Width()),
                  along(h->y, rect.top, rect.bottom, rect.Height()));
}

CRect MoveEdges(const CRect& rect, int handle, CPoint to) {
    const Handle* h = Find(handle);
    CRect moved = rect;
    if (h == nullptr) {
        return moved;
    }
    if (h->x < 0) {
        moved.left = to.x;
    } else if (h->x > 0) {
        moved.right = to.x;
    }
    if (h->y < 0) {
        moved.top = to.y;
    } else if (h->y > 0) {
        moved.bottom = to.y;
    }
    return moved;
}

CRect StretchEdges(const CRect& rect, int handle, int32_t dx, int32_t dy) {
    const Handle* h = Find(handle);
    CRect stretched = rect;
    if (h != nullptr) {
        stretched.InflateRect(h->x < 0 ? dx : 0, h->y < 0 ? dy : 0, h->x > 0 ? dx : 0,
                              h->y > 0 ? dy : 0);
    }
    return stretched;
}

int Cursor(int handle) {
    const Handle* h = Find(handle);
    return h != nullptr ? h->cursor : IDC_ARROW;
}

}  // namespace recthandles
