#pragma once
// How the user learns of an error: a message box captioned "Tarvex", over the window it
// concerns and whole on that window's screen.

#include <windows.h>

#include "calc/error.h"

namespace app {

// over: the window the error concerns, or null. Never throws.
void ShowErrorBox(const calc::RuntimeError& error, HWND over) noexcept;

}  // namespace app
