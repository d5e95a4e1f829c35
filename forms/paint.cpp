// How a form looks: its background, its labels' and boxes' colours, its pointers.

#include "design/look.h"
#include "forms/form.h"
#include "forms/program.h"

namespace forms {
namespace {

COLORREF Colour(Rgb c) { return RGB(c.r, c.g, c.b); }

Rgb SchemeColour(int index) {
    const COLORREF c = GetSysColor(index);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

}  // namespace

// Left to the next paint: the picture under the area, and the controls on it.
void Form::Repaint(const RECT* area) const {
    RedrawWindow(hwnd_, area, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The picture is made for the client area at the window's density: it covers it all.
// In high contrast the user's colours replace it.
LRESULT Form::PaintBackground(HDC dc) {
    const RECT client = Window(hwnd_).Client();
    if (program_.HighContrast()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    LoadPicture();  // none yet when the window opened in high contrast
    ScopedDc memory(CreateCompatibleDC(dc));
    Selection selected(memory.get(), picture_.get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    return 1;
}

// Labels are transparent over the picture, in their own colour or the design's dark text: the
// picture is light in every scheme, where the scheme's text colour may be white.
LRESULT Form::ColourLabel(const Message& m) const {
    const ControlDesc* c = Find(reinterpret_cast<HWND>(m.lParam));
    if (!c || c->kind != Kind::Label) return Default(m);
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    SetBkMode(dc, TRANSPARENT);
    // In high contrast a label stands on the button face; results keep only their bold.
    SetTextColor(dc, program_.HighContrast() ? GetSysColor(COLOR_BTNTEXT) : Colour(InkOf(*c).value_or(kPictureText)));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

// Result boxes write in their own colour on the usual window background, where it stands out
// there; on a dark scheme's boxes in the scheme's text colour.
LRESULT Form::ColourBox(const Message& m) const {
    const ControlDesc* c = Find(reinterpret_cast<HWND>(m.lParam));
    if (!c || !c->ink || program_.HighContrast()) return Default(m);
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    SetTextColor(dc, Colour(Legible(*c->ink, SchemeColour(COLOR_WINDOW), SchemeColour(COLOR_WINDOWTEXT))));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT Form::ShowPointer(const Message& m) const {
    if (LOWORD(m.lParam) != HTCLIENT) return Default(m);
    const HWND target = reinterpret_cast<HWND>(m.wParam);
    const ControlDesc* c = Find(target);
    const Pointer pointer = target == hwnd_ ? desc_.pointer : c ? c->pointer : Pointer::System;
    if (pointer == Pointer::System) return Default(m);
    SetCursor(program_.Cursor(pointer, dpi_));  // at the density of the moment: it follows a change
    return TRUE;
}

}  // namespace forms
