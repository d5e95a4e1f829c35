#pragma once
// How the user learns of an error: a message box captioned "Tarvex", over the window it
// concerns and whole on that window's screen.

#include <windows.h>

#include "calc/error.h"

namespace app {

// over: the window the error concerns, or null. Never throws.
void ShowErrorBox(const calc::RuntimeError& error, HWND over) noexcept;

// The same with the box placed by place(box, owner) instead of over its owner: for tests,
// whose place may throw. What it throws is told in a second box.
using BoxPlacer = void (*)(HWND box, HWND owner);
void ShowErrorBoxPlacedBy(const calc::RuntimeError& error, HWND over, BoxPlacer place) noexcept;

}  // namespace app
