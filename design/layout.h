#pragma once
// Where everything of a window stands at a density: twips to pixels, font heights, each
// control's rectangle, and the window's own on its screen. Plain arithmetic, no Windows header.

#include <span>

#include "design/form_desc.h"

namespace forms {

struct Rect {
    int left, top, right, bottom;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width, height;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

// Room for the open list below a combo's field: the combo's window reaches down over it.
inline constexpr int kDropDownTwips = 2400;

// Twips to pixels at this density, to the nearest pixel, halves away from zero (as
// MulDiv rounds): 15 twips a pixel at 96 dpi.
int Pixels(int twips, int dpi);

// A font's em height in pixels, rounded down: where points come to no whole number of
// pixels the text stays within the layout's scale (8.25 points are 11 pixels at 96 dpi).
int EmHeight(double points, int dpi);

Size ClientSize(const FormDesc& form, int dpi);

// A control's window in its form's client area; a combo's includes its open list.
Rect PlaceOf(const ControlDesc& control, int dpi);

// Whether a label reaches under a box, a combo or a button of the form: it must then
// paint around them. Labels that merely touch each other do not count.
bool OverlapsInputControl(std::span<const ControlDesc> controls, const ControlDesc& label);

// A window moved into an area (its screen's work area) as far as it fits, its size kept. One
// larger than the area keeps its top-left corner inside, and with it the caption to drag it by.
Rect MovedInto(Rect window, Rect area);

// The density to lay a form out at on a screen of `dpi` whose work area is `area`, in a frame
// that adds `frame` to its client area: that density where the whole window fits, else the
// largest lower one that does, as if the screen's density were lower; never below the design's.
int FittingDpi(const FormDesc& form, int dpi, Size frame, Size area);

}  // namespace forms
