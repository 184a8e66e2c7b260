#pragma once

#include <QComboBox>
#include <QSpinBox>
#include <algorithm>
#include <cstddef>
#include <cstdint>

// Small builders shared by the property pages.
namespace page_controls {

// A list of named values 0..N-1. A value the list does not know shows no
// entry and is kept as it is (see ChosenIndex).
template <std::size_t N>
QComboBox* NamedCombo(QWidget* parent, const char* name, const char* const (&items)[N],
                      uint32_t current) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const char* item : items) {
        combo->addItem(QString::fromLatin1(item));
    }
    combo->setCurrentIndex(current < N ? static_cast<int>(current) : -1);
    return combo;
}

inline QSpinBox* BoundedSpin(QWidget* parent, const char* name, int minimum, int maximum,
                             int64_t value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(static_cast<int>(std::clamp<int64_t>(value, minimum, maximum)));
    return spin;
}

// The value chosen in a list, or previous when the list shows none.
inline uint32_t ChosenIndex(const QComboBox* combo, uint32_t previous) {
    const int index = combo->currentIndex();
    return index < 0 ? previous : static_cast<uint32_t>(index);
}

}  // namespace page_controls
