#pragma once
// The verdict panel's three lines for a pair of wheels, in plain Polish: the diameter change,
// its band and what the speedometer does. Plain C++, tested without windows.

#include <array>
#include <string>
#include <string_view>

#include "design/form_desc.h"

namespace ui {

struct Verdict {
    std::array<std::wstring, 3> lines;
    forms::Rgb bandInk;  // the band's line says it in words and in this colour, dark on the sand
};

// current and proposed: the two diameters in mm, current not 0; numbers written with the
// user's decimal separator, to hundredths as the results are.
Verdict VerdictOf(double current, double proposed, std::wstring_view separator);

}  // namespace ui
