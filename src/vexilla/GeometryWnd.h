#pragma once

#include <QGroupBox>
#include <QPointer>
#include <QResizeEvent>
#include <QShowEvent>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "vexilla/ConstraintList.h"

namespace Geometry {

// A resizable window of class T (a QWidget or a dialog whose controls are placed
// by hand): the controls bound to constraints move and grow with the window,
// and the window cannot be made smaller than it was first shown. Controls are
// bound in code with AddConstraint, or by hidden group boxes titled
// "$Geometry:" followed by a constraint, which bind every control lying wholly
// inside them.
template <class T>
class CGeometryWnd : public T {
public:
    static constexpr const char* kMarkerPrefix = "$Geometry:";

    using T::T;

    // Binds a control of this window; its initial rectangle is taken now and again
    // when the window is first shown. Answers the control's identifier.
    uint32_t AddConstraint(QWidget* control, const CConstraint& constraint) {
        const uint32_t id = IdOf(control);
        m_list.AddConstraint(id, constraint, [this](uint32_t key) { return RectOf(key); });
        return id;
    }
    void RemoveConstraint(QWidget* control) { m_list.RemoveConstraint(IdOf(control)); }
    const CResizeCtlList& GetConstraints() const { return m_list; }
    QSize GetInitialClientSize() const { return m_initialSize; }

    // Records the layout as it is now: the initial client size (also the minimum
    // size), the marker group boxes, and every bound control's rectangle.
    void InitGeometry() {
        m_initialSize = this->size();
        ApplyMarkers();
        m_list.SetRects([this](uint32_t key) { return RectOf(key); });
        this->setMinimumSize(m_initialSize);
        m_initialised = true;
    }

protected:
    void showEvent(QShowEvent* event) override {
        if (!m_initialised) {
            InitGeometry();
        }
        T::showEvent(event);
    }

    void resizeEvent(QResizeEvent* event) override {
        T::resizeEvent(event);
        if (!m_initialised || event->size().isEmpty()) {
            return;
        }
        const QSize now = event->size();
        m_list.ResizeControls(CSize(now.width(), now.height()),
                              CSize(m_initialSize.width(), m_initialSize.height()),
                              [this](uint32_t key, const CRect& rect) { Place(key, rect); });
    }

private:
    uint32_t IdOf(QWidget* control) {
        for (std::size_t i = 0; i < m_controls.size(); ++i) {
            if (m_controls[i] == control) {
                return static_cast<uint32_t>(i + 1);
            }
        }
        m_controls.emplace_back(control);
        return static_cast<uint32_t>(m_controls.size());
    }

    QWidget* ControlOf(uint32_t id) const {
        return id >= 1 && id <= m_controls.size() ? m_controls[id - 1].data() : nullptr;
    }

    std::optional<CRect> RectOf(uint32_t id) const {
        const QWidget* control = ControlOf(id);
        if (control == nullptr) {
            return std::nullopt;
        }
        const QRect g = control->geometry();
        return CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
    }

    void Place(uint32_t id, const CRect& rect) {
        if (QWidget* control = ControlOf(id)) {
            control->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        }
    }

    static bool IsMarker(QWidget* widget) {
        const auto* box = dynamic_cast<QGroupBox*>(widget);
        return box != nullptr && box->isHidden() && box->title().startsWith(kMarkerPrefix);
    }

    void ApplyMarkers() {
        const QList<QGroupBox*> boxes =
            this->template findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
        for (QGroupBox* marker : boxes) {
            if (!IsMarker(marker)) {
                continue;
            }
            const CConstraint constraint(
                marker->title()
                    .mid(int(std::char_traits<char>::length(kMarkerPrefix)))
                    .toStdString());
            for (QWidget* child :
                 this->template findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                if (!IsMarker(child) && marker->geometry().contains(child->geometry())) {
                    AddConstraint(child, constraint);
                }
            }
        }
    }

    CResizeCtlList m_list;
    std::vector<QPointer<QWidget>> m_controls;
    QSize m_initialSize;
    bool m_initialised = false;
};

}  // namespace Geometry
