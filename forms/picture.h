#pragma once
// The windows' background: the artwork's blue band over sand, drawn for the window's
// size and density, and the car from a bitmap resource laid over the top-right corner.
// Plain arithmetic on pixels: no decoder, no COM, the same pixels on every system.

#include <windows.h>

#include "forms/scoped.h"

namespace forms {

// The artwork is 700 × 501 at full size; a window shows it `widthAt96` pixels wide at
// 96 dpi, scaled by the density from there. car: a top-down 32-bit BITMAP resource with
// premultiplied alpha. Throws the window failure with the system's cause when the
// resource is missing or is no such bitmap.
ScopedBitmap MakePicture(HINSTANCE module, int car, int widthAt96, SIZE client, int dpi);

}  // namespace forms
