#pragma once
// What the yardstick windows of scripts/bench.sh share: they close themselves after a
// few seconds, so that none lingers when started by hand.
#include <windows.h>

namespace bench {

inline constexpr UINT_PTR kCloseTimer = 1;

// The end of a yardstick's window procedure: the close timer, the quit, the default.
inline LRESULT CloseOnTimer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kCloseTimer) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// Runs the message loop of a shown window until its close timer ends it.
inline int RunUntilClosed(HWND hwnd) {
    SetTimer(hwnd, kCloseTimer, 5000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace bench
