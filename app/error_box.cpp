#include "app/error_box.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "design/errors.h"
#include "forms/scoped.h"
#include "forms/window.h"

namespace app {
namespace {

constexpr wchar_t kPlacedProperty[] = L"Tarvex.Placed";

// A message box opens centred on its screen, which can be far from the window it
// concerns, or under Wine partly off a small screen. Centred on its owner instead, and
// kept whole within the owner's work area.
void CentreOnOwner(HWND box, HWND owner) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork, around = forms::Window(owner).Rect(), r = forms::Window(box).Rect();
    const auto place = [](LONG centre, LONG size, LONG low, LONG high) {
        return std::max(low, std::min(centre - size / 2, high - size));
    };
    SetWindowPos(box, nullptr, place((around.left + around.right) / 2, r.right - r.left, work.left, work.right),
                 place((around.top + around.bottom) / 2, r.bottom - r.top, work.top, work.bottom), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box being shown: how it is placed, and what failed placing it. One thread shows boxes.
struct Placing {
    BoxPlacer place;
    std::optional<calc::RuntimeError> failure;
};
Placing* placing = nullptr;

// Placed once, so that the user may move it.
LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    try {
        const HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[8] = {};
        const bool isBox = (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) && GetClassNameW(box, cls, 8) &&
                           std::wstring_view(cls) == L"#32770";  // the other windows stay where they are
        const HWND owner = isBox ? GetWindow(box, GW_OWNER) : nullptr;
        if (code == HCBT_DESTROYWND && owner) {
            RemovePropW(box, kPlacedProperty);
        } else if (owner && placing && !GetPropW(box, kPlacedProperty) && SetPropW(box, kPlacedProperty, box)) {
            placing->place(box, owner);
        }
    } catch (...) {  // the box stays where the system put it; the failure is told after it
        if (placing && !placing->failure) placing->failure = forms::CurrentError();
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Unhook {
    void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};

}  // namespace

void ShowErrorBox(const calc::RuntimeError& error, HWND over) noexcept { ShowErrorBoxPlacedBy(error, over, &CentreOnOwner); }

void ShowErrorBoxPlacedBy(const calc::RuntimeError& error, HWND over, BoxPlacer place) noexcept {
    Placing current{place, {}};
    Placing* const outer = std::exchange(placing, &current);  // a report may open inside another's loop
    try {
        const std::wstring text = forms::ReportText(error);
        const forms::Scoped<HHOOK, Unhook> placed(
            SetWindowsHookExW(WH_CBT, &PlaceMessageBox, nullptr, GetCurrentThreadId()));
        MessageBoxW(over, text.c_str(), L"Tarvex", MB_OK | MB_ICONERROR);
    } catch (...) {  // the report's own text could not be made: the bare number still can
        MessageBoxW(over, L"Błąd wykonania nr 7", L"Tarvex", MB_OK | MB_ICONERROR);
    }
    placing = outer;
    if (current.failure) {
        try {
            MessageBoxW(over, forms::ReportText(*current.failure).c_str(), L"Tarvex", MB_OK | MB_ICONERROR);
        } catch (...) {
        }
    }
}

}  // namespace app
