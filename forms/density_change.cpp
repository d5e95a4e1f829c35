// A window moved to a screen of another density: its place and size, and its picture,
// icons, fonts and controls made anew for the density, then painted once, all of it.

#include "design/layout.h"
#include "forms/form.h"
#include "forms/platform.h"
#include "forms/program.h"

namespace forms {

// The rectangle the system suggests is the whole window scaled, frame included; but Windows
// 8.1 to 10 (1607) keep a per-monitor window's frame at the system's density, and scaling
// rounds. So only its top-left corner is taken, on that screen's work area, and the window
// is sized around the design's client area. What the controls hold stays as it is.
LRESULT Form::Rescale(const Message& m) {
    dpi_ = HIWORD(m.wParam);
    const RECT& suggested = *reinterpret_cast<const RECT*>(m.lParam);
    PlaceAt({suggested.left, suggested.top}, WorkAreaOf(suggested));
    if (!program_.HighContrast()) LoadPicture();
    LoadIcons();
    for (const ControlDesc& c : desc_.controls) {
        const Rect r = PlaceOf(c, scale_);
        MoveWindow(control(c.id), r.left, r.top, r.width(), r.height(), FALSE);
        SendMessageW(control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    }
    // Only now that everything stands where it belongs: the frame, the picture and every
    // control painted anew, nothing left of the old layout.
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    return 0;
}

// The window's top-left corner at topLeft, moved into the work area where it would stick out,
// and its client area the design's at the largest density up to the window's at which it fits
// there whole: in the frame the lookups tell, and once more in the frame the system really drew
// where that is another. Wine draws every frame at the system's density, as Windows 10 1607 does
// a v1 window's, whatever AdjustWindowRectExForDpi tells.
void Form::PlaceAt(POINT topLeft, const std::optional<RECT>& workArea) {
    const Size design = ClientSize(desc_, dpi_);
    const SIZE told = FrameSize(design.width, design.height, kFrameStyle, kFrameExStyle, dpi_, program_.lookups());
    Size frame{told.cx - design.width, told.cy - design.height};
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Rect area = workArea ? Rect{workArea->left, workArea->top, workArea->right, workArea->bottom} : Rect{};
        scale_ = workArea ? FittingDpi(desc_, dpi_, frame, {area.width(), area.height()}) : dpi_;
        const Size client = ClientSize(desc_, scale_);
        Rect r{topLeft.x, topLeft.y, topLeft.x + client.width + frame.width, topLeft.y + client.height + frame.height};
        if (workArea) r = MovedInto(r, area);
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width(), r.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        const RECT drawn = Window(hwnd_).Client(), taken = Window(hwnd_).Rect();
        if (Size{drawn.right, drawn.bottom} == client) return;
        frame = {taken.right - taken.left - drawn.right, taken.bottom - taken.top - drawn.bottom};
    }
}

}  // namespace forms
