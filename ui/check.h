#pragma once
// Compile-time checks of the window tables.

#include <span>

#include "design/form_desc.h"

namespace ui {

// The forms runtime finds a control's row by its enumerator.
constexpr bool IdsMatchRows(std::span<const forms::ControlDesc> controls, int count) {
    if (static_cast<int>(controls.size()) != count) return false;
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].id != static_cast<int>(i)) return false;
    return true;
}

}  // namespace ui
