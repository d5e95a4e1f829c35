#include "forms/platform.h"

#include "forms/scoped.h"

namespace forms {
namespace {

template <typename Function>
Function User32(const char* name) {
    return Procedure<Function>(GetModuleHandleW(L"user32.dll"), name);
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

const DpiLookups& SystemDpiLookups() {
    static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    // Windows 8.1 and the first Windows 10 know each monitor's density, in shcore; it stays
    // loaded for as long as the function may be called.
    static const ScopedModule shcore(
        forWindow ? nullptr : LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    static const DpiLookups lookups{
        forWindow, Procedure<HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*)>(shcore.get(), "GetDpiForMonitor"), &ScreenDpi,
        User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi"),
        User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi")};
    return lookups;
}

int DpiOf(HWND window, const DpiLookups& lookups) {
    if (lookups.forWindow)
        if (const UINT dpi = lookups.forWindow(window)) return static_cast<int>(dpi);
    UINT x = 0, y = 0;
    if (lookups.forMonitor && SUCCEEDED(lookups.forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y)
        return static_cast<int>(y);
    return lookups.system();
}

// Before Windows 10 (1607) the system's metrics are the system density's, and Windows 8.1
// draws frames and controls at them on every screen.
int SystemMetric(int index, int dpi, const DpiLookups& lookups) {
    return lookups.metricForDpi ? lookups.metricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

// Without AdjustWindowRectExForDpi (Windows 8.1 to 10 1511) the frame is the system
// density's, unscaled: the system draws a per-monitor window's frame so on every screen.
SIZE FrameSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, int dpi, const DpiLookups& lookups) {
    RECT frame{0, 0, clientWidth, clientHeight};
    if (!lookups.frameForDpi || !lookups.frameForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        frame = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

std::optional<RECT> WorkAreaOf(const RECT& where) {
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    if (!GetMonitorInfoW(MonitorFromRect(&where, MONITOR_DEFAULTTONEAREST), &screen)) return std::nullopt;
    return screen.rcWork;
}

bool SystemHighContrast() {
    HIGHCONTRASTW setting{sizeof setting, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) && (setting.dwFlags & HCF_HIGHCONTRASTON);
}

std::wstring UserDecimalSeparator() {
    wchar_t separator[8] = L".";
    if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return L".";
    return separator;
}

}  // namespace forms
