#pragma once
// What the system is asked about the screen and the user's settings: densities, frame
// metrics, work areas, high contrast and the decimal separator. Windows 10 (1607) tells a window's
// density directly, and sizes frames and metrics for any density; Windows 8.1 tells its
// monitor's, and draws a per-monitor window's frame and metrics at the system's density on
// every screen; Windows 7 has one density for every screen. Functions newer than Windows 7
// are looked up at run time.

#include <windows.h>

#include <optional>
#include <string>

namespace forms {

// The system's ways of telling a density and of sizing things for one; null where this
// Windows lacks one. A program can be handed others (Program::UseLookups), as an older
// Windows would give it.
struct DpiLookups {
    UINT(WINAPI* forWindow)(HWND);  // GetDpiForWindow
    HRESULT(WINAPI* forMonitor)(HMONITOR, int /* MDT_EFFECTIVE_DPI: 0 */, UINT*, UINT*);  // GetDpiForMonitor
    int (*system)();  // the system's density, Windows 7's only one
    BOOL(WINAPI* frameForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;  // AdjustWindowRectExForDpi
    int(WINAPI* metricForDpi)(int, UINT) = nullptr;  // GetSystemMetricsForDpi
};
// The ones this system has, looked up once.
const DpiLookups& SystemDpiLookups();
// The best the lookups tell of this window's density.
int DpiOf(HWND window, const DpiLookups& lookups);
int SystemMetric(int index, int dpi, const DpiLookups& lookups);
// The window around a client area of this size, as the lookups tell its frame at this density.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi, const DpiLookups& lookups);
// The work area of the screen a rectangle lies most on, or of the nearest screen; none where
// the system tells none.
std::optional<RECT> WorkAreaOf(const RECT& where);
// SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON: the windows then drop their picture and
// colours for the system's.
bool SystemHighContrast();
// The user's decimal separator as set now; "." when the system tells none.
std::wstring UserDecimalSeparator();

}  // namespace forms
