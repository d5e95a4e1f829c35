// A form's window made from its description: frame, picture, icons and controls.

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "assets/resource_ids.h"
#include "design/errors.h"
#include "design/layout.h"
#include "forms/accessibility.h"
#include "forms/form.h"
#include "forms/picture.h"
#include "forms/platform.h"
#include "forms/program.h"

namespace forms {

ATOM Form::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);  // shared, owned by the system
    wc.hbrBackground = nullptr;  // the picture is painted in WM_ERASEBKGND
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc);
}

HFONT Form::FontFor(const Font& font) { return program_.fonts().Get(font, scale_); }

void Form::Build() {
    // Owned by the hidden owner window, not by another form: no taskbar button, and
    // the forms stack freely in front of each other. Sized for the owner's screen until
    // the window knows its own.
    const DpiLookups& lookups = program_.lookups();
    const int guess = DpiOf(program_.owner(), lookups);
    const Size client = ClientSize(desc_, guess);
    const SIZE frame = FrameSize(client.width, client.height, kFrameStyle, kFrameExStyle, guess, lookups);
    HWND hwnd = CreateWindowExW(kFrameExStyle, kWindowClass, std::wstring(desc_.caption).c_str(), kFrameStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, program_.owner(), nullptr,
                                program_.instance(), this);
    if (!hwnd) throw WindowFailure(L"utworzyć okna", GetLastError());

    try {
        dpi_ = DpiOf(hwnd_, lookups);
        // Sized again where the system put it: on a screen of another density, in another frame
        // than the system told, or too small for the design, and moved onto that screen whole.
        const RECT placed = Window(hwnd_).Rect();
        PlaceAt({placed.left, placed.top}, WorkAreaOf(placed));
        if (!program_.HighContrast()) LoadPicture();  // in high contrast, only once it is off
        LoadIcons();
        controls_.assign(desc_.controls.size(), nullptr);
        inks_.assign(desc_.controls.size(), std::nullopt);  // the table's colours again
        // Creation order is z-order. The focusable controls come in Tab order, each just
        // after the label that names it, so that a screen reader finds the name there;
        // the other labels come last, under everything else.
        for (int id : desc_.tabOrder) {
            for (const ControlDesc& c : desc_.controls)
                if (c.captionOf == id) CreateControl(c);
            CreateControl(desc_.controls[static_cast<size_t>(id)]);
        }
        for (const ControlDesc& c : desc_.controls)
            if (!control(c.id)) CreateControl(c);
    } catch (...) {
        DestroyWindow(hwnd);
        throw;
    }
    // A screen reader that asked while the window was being made: the names it missed.
    if (asked_) {
        try {
            NameControls();
        } catch (...) {  // its question failed, not the window
            ReportLater(WM_GETOBJECT);
        }
    }
}

// The picture for the window's layout, made once per density laid out at.
void Form::LoadPicture() {
    if (picture_ && pictureScale_ == scale_) return;
    const Size client = ClientSize(desc_, scale_);
    picture_ = MakePicture(program_.instance(), desc_.picture.car, desc_.picture.widthAt96,
                           {client.width, client.height}, scale_);
    pictureScale_ = scale_;
}

void Form::LoadIcons() {
    for (auto [which, metric, icon] : {std::tuple{ICON_BIG, SM_CXICON, &bigIcon_}, {ICON_SMALL, SM_CXSMICON, &smallIcon_}}) {
        const int size = SystemMetric(metric, dpi_, program_.lookups());
        // LoadImage takes the icon's image nearest to the size.
        ScopedIcon loaded(static_cast<HICON>(LoadImageW(program_.instance(), MAKEINTRESOURCEW(IDI_TARVEX), IMAGE_ICON,
                                                         size, size, 0)));
        SendMessageW(hwnd_, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(loaded.get()));
        *icon = std::move(loaded);  // the one it replaces is no longer shown
    }
}

void Form::CreateControl(const ControlDesc& c) {
    const bool tabStop = std::find(desc_.tabOrder.begin(), desc_.tabOrder.end(), c.id) != desc_.tabOrder.end();
    DWORD style = WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0);
    DWORD exStyle = 0;
    const wchar_t* windowClass = L"STATIC";
    switch (c.kind) {
        case Kind::Label:
            style |= SS_LEFT | SS_NOPREFIX;  // wraps at spaces, shows "&" as itself
            if (OverlapsInputControl(desc_.controls, c)) style |= WS_CLIPSIBLINGS;
            break;
        case Kind::TextBox:
            windowClass = L"EDIT";
            style |= ES_LEFT | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case Kind::ComboBox:
            windowClass = L"COMBOBOX";
            style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;
            break;
        case Kind::Button:
            windowClass = L"BUTTON";
            style |= BS_PUSHBUTTON;
            break;
    }
    const Rect place = PlaceOf(c, scale_);
    const std::wstring text(c.kind == Kind::ComboBox ? std::wstring_view{} : c.text);
    HWND h = CreateWindowExW(exStyle, windowClass, text.c_str(), style, place.left, place.top, place.width(),
                             place.height(), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.id)),
                             program_.instance(), nullptr);
    if (!h) throw WindowFailure(L"utworzyć kontrolki", GetLastError());
    controls_[static_cast<size_t>(c.id)] = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    if (!c.spokenName.empty()) ListenForReader(h);

    if (c.kind == Kind::TextBox) SendMessageW(h, EM_SETLIMITTEXT, 0, 0);  // 0: no limit
    if (c.kind == Kind::ComboBox) {
        SendMessageW(h, CB_LIMITTEXT, 0, 0);
        for (std::wstring_view entry : c.list)
            if (SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(entry).c_str())) < 0)
                throw OutOfMemory();
        SetWindowTextW(h, std::wstring(c.text).c_str());  // a field text that is no entry: nothing selected
    }
}

void Form::Unloaded() {
    hwnd_ = nullptr;
    controls_.clear();
    lastFocus_ = nullptr;
    failures_.clear();  // a new window may tell its own
}

}  // namespace forms
