#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QTransform>

#include <vector>

#include "platform/Point.h"

// The path a device context records between BeginPath and EndPath, in device
// units. Curves are flattened finely enough that the line segments stay within a
// tenth of a unit of the curve both in device units and in the logical units of the
// transform given.
class RecordedPath {
public:
    void Begin();
    // Ends the recording; false when none was open.
    bool End();
    bool IsRecording() const { return m_phase == Phase::Recording; }

    // Appends closed or open figures; a following LineTo starts a new figure.
    void Add(const QPainterPath& figures);
    void MoveTo(QPointF point);
    void LineTo(QPointF from, QPointF to);

    // Replaces curves by line segments; false unless a recording has ended.
    bool Flatten(const QTransform& deviceToLogical);
    // The figures as point lists mapped by deviceToLogical and rounded; empty
    // unless a recording has ended. Curves are flattened on the way.
    std::vector<std::vector<CPoint>> Figures(const QTransform& deviceToLogical) const;

private:
    enum class Phase { None, Recording, Closed };

    QPainterPath Flattened(const QTransform& deviceToLogical) const;

    Phase m_phase = Phase::None;
    QPainterPath m_path;
    bool m_figureOpen = false;
};
