#pragma once
// What the system is asked about the screen and the user's settings: densities, frame
// metrics, high contrast and the decimal separator. Windows 10 (1607) tells a window's
// density directly; Windows 8.1 tells its monitor's; Windows 7 has one density for every
// screen. Functions newer than Windows 7 are looked up at run time.

#include <windows.h>

#include <string>

namespace forms {

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
int SystemMetric(int index, int dpi);
// The frame around a client area of this size.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi);
// SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON: the windows then drop their picture and
// colours for the system's.
bool SystemHighContrast();
// The user's decimal separator as set now; "." when the system tells none.
std::wstring UserDecimalSeparator();

}  // namespace forms
