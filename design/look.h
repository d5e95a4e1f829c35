#pragma once
// What of the look follows the user's system: a colour that has to stand out against a
// background the colour scheme chooses, and the size of the pointers at a density.

#include "design/form_desc.h"

namespace forms {

// Texts on the picture, which is light sand in every scheme: the design's dark text.
inline constexpr Rgb kPictureText{0, 0, 0};

// WCAG 2's contrast ratio, (L1 + 0.05) / (L2 + 0.05) of the lighter and the darker colour's
// relative luminance in sRGB: 1 for equal colours, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);

// WCAG 2's level AA for text of normal size: a colour stands out from this ratio on.
inline constexpr double kStandsOut = 4.5;

// The ink where it stands out against the background; else the scheme's own text colour for
// that background (dark red on a dark scheme's black boxes would be lost).
Rgb Legible(Rgb ink, Rgb background, Rgb schemeText);

// The pointer images are drawn at 32, 48 and 64 pixels. A density takes the largest not above
// the system's pointer size there, 32 pixels at 96 dpi scaled: 32 up to 143 dpi, 48 up to 191,
// 64 from 192 (200 %) on.
int PointerSize(int dpi);

}  // namespace forms
