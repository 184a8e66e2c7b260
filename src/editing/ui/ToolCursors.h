#pragma once

#include <QCursor>

// The cursors of the loop view's tools, drawn by the program: 132 drawing
// (a cross), 181 link (a cross with a link), 182 broken link (a cross with a
// link cut by connectors), 183 block placement (a cross with a block circle),
// 216 selection (an arrow). Other numbers give the arrow of the system.
class CToolCursors {
public:
    static QCursor ForId(int id);
};
