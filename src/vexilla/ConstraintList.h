#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Rect.h"
#include "platform/Size.h"
#include "vexilla/BindCtlToConstraint.h"
#include "vexilla/Constraint.h"

namespace Geometry {

// The bound controls of one resizable dialog, at most one entry per control
// identifier, kept in the order they were added. The list knows nothing of
// windows: the dialog hands it a lookup for a control's current rectangle and a
// placement function that moves a control.
class CConstraintList {
public:
    // The rectangle of the dialog's control with this identifier in the dialog's
    // client coordinates, or nothing when the dialog has no such control.
    using RectLookup = std::function<std::optional<CRect>(uint32_t id)>;
    // Moves and sizes the dialog's control with this identifier; a dialog without
    // such a control ignores the call.
    using PlaceControl = std::function<void(uint32_t id, const CRect& rect)>;

    // Replaces the constraint of an existing entry (its rectangle stays). Otherwise
    // appends an entry, taking its rectangle at once from lookup when one is given
    // and knows the control. Always true.
    bool AddConstraint(uint32_t id, const CConstraint& constraint,
                       const RectLookup& lookup = nullptr);
    // Removes the entry for the identifier, if any.
    void RemoveConstraint(uint32_t id);
    // Takes every entry's rectangle afresh; entries whose control lookup does not
    // know keep their rectangle.
    void SetRects(const RectLookup& lookup);
    // Places every control, in list order, for the new client size of a dialog laid
    // out at initialSize.
    void ResizeControls(CSize newSize, CSize initialSize, const PlaceControl& place) const;

    const std::vector<CBindCtlToConstraint>& GetEntries() const { return m_entries; }
    const CBindCtlToConstraint* Find(uint32_t id) const;
    bool IsEmpty() const { return m_entries.empty(); }
    std::size_t GetCount() const { return m_entries.size(); }

private:
    std::vector<CBindCtlToConstraint> m_entries;
};

// The name the dialogs use for the list.
using CResizeCtlList = CConstraintList;

}  // namespace Geometry
