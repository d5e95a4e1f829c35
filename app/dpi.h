#pragma once
// Pixels at a window's own density. Windows 10 (1607) tells a window's density directly;
// Windows 8.1 tells its monitor's; Windows 7 has one density for every screen.

#include <windows.h>

namespace app {

// The system's ways of telling a density; null where this Windows lacks one.
struct DpiLookups {
    UINT(WINAPI* forWindow)(HWND);
    HRESULT(WINAPI* forMonitor)(HMONITOR, int /* MDT_EFFECTIVE_DPI: 0 */, UINT*, UINT*);
    int (*system)();
};
// The ones this system has, looked up once.
const DpiLookups& SystemDpiLookups();
// The best the lookups tell of this window's density.
int DpiOf(HWND window, const DpiLookups& lookups = SystemDpiLookups());
// Twips to pixels at this density, rounded the same way everywhere: 15 twips a pixel at 96 dpi.
inline int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }
int SystemMetric(int index, int dpi);
// The frame around a client area of this size.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);

}  // namespace app
