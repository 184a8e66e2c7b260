#pragma once

#include <QIcon>
#include <functional>

class QPainter;

// An icon drawn in code on a 16-unit grid, at whatever size it is shown (so it
// stays sharp on screens of twice the pixel density), when it is first shown at
// that size; disabled, it is drawn faded. Far cheaper at start-up than icons
// looked up in the desktop's icon theme or rendered ahead.
QIcon DrawnIcon(const std::function<void(QPainter&)>& draw);
