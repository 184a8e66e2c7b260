#pragma once

#include <cstdint>

#include "platform/Point.h"
#include "platform/Rect.h"

// Mouse cursors of the selection handles; 0 means no cursor of its own.
enum HandleCursor : int {
    IDC_NONE = 0,
    IDC_ARROW = 32512,
    IDC_SIZENWSE = 32642,
    IDC_SIZENESW = 32643,
    IDC_SIZEWE = 32644,
    IDC_SIZENS = 32645,
    IDC_SIZEALL = 32646,
};

// The eight selection handles of a rectangle, numbered clockwise from the top
// left corner: 1 top left, 2 top middle, 3 top right, 4 right middle, 5 bottom
// right, 6 bottom middle, 7 bottom left, 8 left middle. One table says where each
// stands, which edges it drags and its cursor.
namespace recthandles {

inline constexpr int kCount = 8;

struct Handle {
    int8_t x;  // -1 on the left edge, 1 on the right, 0 in the middle
    int8_t y;  // -1 on the top edge, 1 on the bottom, 0 in the middle
    int cursor;
};

// The handle's entry; null for numbers outside 1..8.
const Handle* Find(int handle);
// Where the handle stands on the rectangle; (0, 0) for other numbers.
CPoint Position(const CRect& rect, int handle);
// The rectangle with the handle's edges moved to the point (the rectangle may
// turn inside out); unchanged for other numbers.
CRect MoveEdges(const CRect& rect, int handle, CPoint to);
// The rectangle grown at the handle's edges by the change (dx, dy) of a
// rectangle's width and height, as a group's members follow their group.
CRect StretchEdges(const CRect& rect, int handle, int32_t dx, int32_t dy);
// The handle's cursor; IDC_ARROW for other numbers.
int Cursor(int handle);

}  // namespace recthandles
