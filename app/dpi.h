#pragma once
// Pixels at a window's own density. The per-monitor functions came with Windows 10;
// on older systems every window has the system's density, which is what they fall
// back on.

#include <windows.h>

namespace app {

int DpiOf(HWND window);
// Twips to pixels at this density, rounded the same way everywhere: 15 twips a pixel at 96 dpi.
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
int SystemMetric(int index, int dpi);
// The frame around a client area of this size.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

}  // namespace app
