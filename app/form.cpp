#include "app/form.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "app/dpi.h"
#include "app/errors.h"
#include "app/picture.h"
#include "app/program.h"
#include "assets/resource_ids.h"

namespace app {
namespace {

constexpr int kDropDownTwips = 2400;  // room for the open list below a combo's field
constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

COLORREF Colour(const std::optional<Rgb>& ink) {
    return ink ? RGB(ink->r, ink->g, ink->b) : GetSysColor(COLOR_WINDOWTEXT);
}

}  // namespace

// A label that reaches under a box or a button must not paint over it. Labels that
// merely touch each other stay unclipped, or a neighbour would cut off their edges.
bool Form::OverlapsInputControl(const ControlDesc& label) const {
    const auto overlaps = [](const Twips& a, const Twips& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    return std::any_of(desc_.controls.begin(), desc_.controls.end(), [&](const ControlDesc& other) {
        return other.kind != Kind::Label && overlaps(label.place, other.place);
    });
}

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

Form::Form(Program& program, const FormDesc& desc) : program_(program), desc_(desc) {}

Form::~Form() {
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND Form::control(int id) const {
    return id >= 0 && static_cast<size_t>(id) < controls_.size() ? controls_[static_cast<size_t>(id)] : nullptr;
}

HWND Form::Require(int id) const {
    HWND h = control(id);
    if (!h) throw WindowFailure(L"odnaleźć kontrolki: okno nie jest załadowane", ERROR_INVALID_WINDOW_HANDLE);
    return h;
}

const ControlDesc* Form::Find(HWND child) const {
    const int id = GetDlgCtrlID(child) - kFirstControlId;
    return child && control(id) == child ? &desc_.controls[static_cast<size_t>(id)] : nullptr;
}

std::wstring Form::Text(int id) const { return Window(Require(id)).Text(); }

void Form::SetText(int id, std::wstring_view text) {
    const Window control = Require(id);
    if (!control.SetText(text)) throw PropertyRefused();
    if (desc_.controls[static_cast<size_t>(id)].kind == Kind::Label) {
        // A transparent label does not erase its old text: the picture under it must be
        // repainted too. Left to the next paint; within a click, one request for all.
        const RECT r = control.Place();
        if (!repaint_) return Repaint(&r);
        UnionRect(&*repaint_, &*repaint_, &r);
    }
}

// Left to the next paint: the picture under the area, and the controls on it.
void Form::Repaint(const RECT* area) const {
    RedrawWindow(hwnd_, area, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

std::int16_t Form::ListIndex(int id) const { return static_cast<std::int16_t>(Combo(Require(id)).Selection()); }

std::int16_t Form::ListCount(int id) const { return static_cast<std::int16_t>(Combo(Require(id)).Count()); }

std::wstring Form::List(int id, int index) const {
    const Combo combo(Require(id));
    if (index == -1) return combo.Text();  // nothing selected: what the field shows
    std::wstring entry;
    if (!combo.Entry(index, entry)) throw BadListIndex();
    return entry;
}

void Form::Show() {
    if (!hwnd_) Build();
    ShowWindow(hwnd_, SW_SHOW);
    // Activating does not raise a window that is already shown under Wine's desktop.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd_);
    if (!IsWindowVisible(hwnd_)) throw WindowFailure(L"pokazać okna", GetLastError());
}

void Form::Hide() {
    if (!hwnd_) Build();
    ShowWindow(hwnd_, SW_HIDE);
    if (IsWindowVisible(hwnd_)) throw WindowFailure(L"ukryć okna", GetLastError());
}

HFONT Form::FontFor(const Font& font) { return program_.fonts().Get(font, dpi_); }

void Form::Build() {
    // Owned by the hidden owner window, not by another form: no taskbar button, and
    // the forms stack freely in front of each other. Sized for the owner's screen until
    // the window knows its own.
    const int guess = DpiOf(program_.owner());
    const SIZE frame = FrameSize(Pixels(desc_.clientWidth, guess), Pixels(desc_.clientHeight, guess), kFrameStyle,
                                 kFrameExStyle, guess);
    HWND hwnd = CreateWindowExW(kFrameExStyle, kWindowClass, std::wstring(desc_.caption).c_str(), kFrameStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.cx, frame.cy, program_.owner(), nullptr,
                                program_.instance(), this);
    if (!hwnd) throw WindowFailure(L"utworzyć okna", GetLastError());

    try {
        dpi_ = DpiOf(hwnd_);
        if (dpi_ != guess) {
            const SIZE own = FrameSize(Pixels(desc_.clientWidth, dpi_), Pixels(desc_.clientHeight, dpi_), kFrameStyle,
                                       kFrameExStyle, dpi_);
            SetWindowPos(hwnd_, nullptr, 0, 0, own.cx, own.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        LoadPictureAndIcons();
        controls_.assign(desc_.controls.size(), nullptr);
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
}

// The picture and the icons for the window's density, each made once per density.
void Form::LoadPictureAndIcons() {
    if (!picture_ || pictureDpi_ != dpi_) {
        const SIZE client{Pixels(desc_.clientWidth, dpi_), Pixels(desc_.clientHeight, dpi_)};
        picture_ = PaintArtwork(program_.instance(), desc_.picture.car, desc_.picture.widthAt96, client, dpi_);
        pictureDpi_ = dpi_;
    }
    for (auto [which, metric, icon] : {std::tuple{ICON_BIG, SM_CXICON, &bigIcon_}, {ICON_SMALL, SM_CXSMICON, &smallIcon_}}) {
        const int size = SystemMetric(metric, dpi_);
        // LoadImage takes the icon's image nearest to the size.
        ScopedIcon loaded(static_cast<HICON>(LoadImageW(program_.instance(), MAKEINTRESOURCEW(IDI_TARVEX), IMAGE_ICON,
                                                         size, size, 0)));
        SendMessageW(hwnd_, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(loaded.get()));
        *icon = std::move(loaded);  // the one it replaces is no longer shown
    }
}

// A control's place in pixels at the window's density; a combo reaches down over its open list.
RECT Form::PlaceOf(const ControlDesc& c) const {
    const int dropDown = c.kind == Kind::ComboBox ? kDropDownTwips : 0;
    const int left = Pixels(c.place.left, dpi_), top = Pixels(c.place.top, dpi_);
    return {left, top, left + Pixels(c.place.width, dpi_), top + Pixels(c.place.height + dropDown, dpi_)};
}

void Form::CreateControl(const ControlDesc& c) {
    const bool tabStop = std::find(desc_.tabOrder.begin(), desc_.tabOrder.end(), c.id) != desc_.tabOrder.end();
    DWORD style = WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0);
    DWORD exStyle = 0;
    const wchar_t* windowClass = L"STATIC";
    switch (c.kind) {
        case Kind::Label:
            style |= SS_LEFT | SS_NOPREFIX;  // wraps at spaces, shows "&" as itself
            if (OverlapsInputControl(c)) style |= WS_CLIPSIBLINGS;
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
    const RECT place = PlaceOf(c);
    const std::wstring text(c.kind == Kind::ComboBox ? std::wstring_view{} : c.text);
    HWND h = CreateWindowExW(exStyle, windowClass, text.c_str(), style, place.left, place.top,
                             place.right - place.left, place.bottom - place.top, hwnd_,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.id)),
                             program_.instance(), nullptr);
    if (!h) throw WindowFailure(L"utworzyć kontrolki", GetLastError());
    controls_[static_cast<size_t>(c.id)] = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    if (!c.spokenName.empty()) {  // its own procedure kept where standard controls keep nothing
        SetWindowLongPtrW(h, GWLP_USERDATA, GetWindowLongPtrW(h, GWLP_WNDPROC));
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::AskedForObject));
    }

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
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->Unloaded();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Nothing may unwind through the system's frames: whatever a handler or the runtime
    // throws is reported here, over this window, and the program goes on.
    try {
        return self->HandleMessage({message, wParam, lParam});
    } catch (...) {
        self->program_.Report(CurrentError(), self);
        return 0;
    }
}

LRESULT Form::HandleMessage(const Message& m) {
    switch (m.id) {
        case WM_ERASEBKGND: return PaintBackground(reinterpret_cast<HDC>(m.wParam));
        case WM_CTLCOLORSTATIC: return ColourLabel(m);
        case WM_CTLCOLOREDIT: return ColourBox(m);
        case WM_SETCURSOR: return ShowPointer(m);
        case WM_COMMAND: return RunClickHandler(m);
        case DM_GETDEFID: return NameFocusedButton();
        case WM_ACTIVATE: return KeepFocus(m);
        case WM_CLOSE: return Close(m);
        case WM_DPICHANGED: return Rescale(m);
        case WM_SETTINGCHANGE:  // high contrast on or off, or other colours: shown at once
        case WM_SYSCOLORCHANGE:
            Repaint();
            return Default(m);
        case WM_GETOBJECT:
            NameControls();
            return Default(m);
        case WM_DESTROY: return ForgetNames(m);
        default: return Default(m);
    }
}

// The picture is made for the client area at the window's density: it covers it all.
// In high contrast the user's colours replace it.
LRESULT Form::PaintBackground(HDC dc) const {
    const RECT client = Window(hwnd_).Client();
    if (program_.HighContrast()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    ScopedDc memory(CreateCompatibleDC(dc));
    Selection selected(memory.get(), picture_.get());
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    return 1;
}

// Labels are transparent over the picture, in their own colour.
LRESULT Form::ColourLabel(const Message& m) const {
    const ControlDesc* c = Find(reinterpret_cast<HWND>(m.lParam));
    if (!c || c->kind != Kind::Label) return Default(m);
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    SetBkMode(dc, TRANSPARENT);
    // In high contrast a label stands on the button face; results keep only their bold.
    SetTextColor(dc, program_.HighContrast() ? GetSysColor(COLOR_BTNTEXT) : Colour(c->ink));
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

// Result boxes write in their own colour on the usual window background.
LRESULT Form::ColourBox(const Message& m) const {
    const ControlDesc* c = Find(reinterpret_cast<HWND>(m.lParam));
    if (!c || !c->ink || program_.HighContrast()) return Default(m);
    HDC dc = reinterpret_cast<HDC>(m.wParam);
    SetTextColor(dc, Colour(c->ink));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT Form::ShowPointer(const Message& m) const {
    if (LOWORD(m.lParam) != HTCLIENT) return Default(m);
    const HWND target = reinterpret_cast<HWND>(m.wParam);
    const ControlDesc* c = Find(target);
    const Pointer pointer = target == hwnd_ ? desc_.pointer : c ? c->pointer : Pointer::System;
    if (pointer == Pointer::System) return Default(m);
    SetCursor(program_.Cursor(pointer));
    return TRUE;
}

LRESULT Form::RunClickHandler(const Message& m) {
    const ControlDesc* c = HIWORD(m.wParam) == BN_CLICKED ? Find(reinterpret_cast<HWND>(m.lParam)) : nullptr;
    if (!c || !c->onClick || program_.ended()) return Default(m);
    // The labels the handler writes are repainted together, also when it fails half way.
    struct RepaintOnce {
        Form& form;
        explicit RepaintOnce(Form& f) : form(f) { form.repaint_ = RECT{}; }
        ~RepaintOnce() {
            if (form.hwnd_ && !IsRectEmpty(&*form.repaint_)) form.Repaint(&*form.repaint_);
            form.repaint_.reset();
        }
    } once(*this);
    c->onClick(*this);
    return 0;
}

// Enter presses the focused push button, as in a dialog; no button is the default otherwise.
LRESULT Form::NameFocusedButton() const {
    const ControlDesc* c = Find(GetFocus());
    return c && c->kind == Kind::Button ? MAKELRESULT(kFirstControlId + c->id, DC_HASDEFID) : 0;
}

// Like a dialog: the focus leaves with the window and comes back to the same control.
LRESULT Form::KeepFocus(const Message& m) {
    if (LOWORD(m.wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
    } else if (!IsIconic(hwnd_)) {
        SetFocus(lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_ : control(desc_.tabOrder.front()));
    }
    return 0;
}

// The start-up window's close box ends the program; any other window's is destroyed,
// and its instance stays for the next Show.
LRESULT Form::Close(const Message& m) {
    if (!desc_.closeEndsProgram) return Default(m);
    program_.End();
    return 0;
}

// Moved to a screen of another density: the suggested frame, and fonts, picture, icons
// and places made anew for it. What the controls hold stays as it is.
LRESULT Form::Rescale(const Message& m) {
    dpi_ = HIWORD(m.wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(m.lParam);
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint();
    LoadPictureAndIcons();
    for (const ControlDesc& c : desc_.controls) {
        const RECT r = PlaceOf(c);
        MoveWindow(control(c.id), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        SendMessageW(control(c.id), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
    }
    return 0;
}

// Names given to controls outlive their windows unless taken back.
LRESULT Form::ForgetNames(const Message& m) {
    if (std::exchange(named_, false))
        for (const ControlDesc& c : desc_.controls)
            if (!c.spokenName.empty()) program_.Unname(control(c.id));
    return Default(m);
}

// A screen reader asks the window or a control for its accessible object: only then are
// the names given, so that a run without one never loads the accessibility service.
void Form::NameControls() {
    if (std::exchange(named_, true)) return;
    for (const ControlDesc& c : desc_.controls)
        if (!c.spokenName.empty()) program_.Name(control(c.id), c.spokenName);
}

// A plain subclass: comctl32's keeps its record in a window property, which costs every
// message a trip to the window server under Wine.
LRESULT CALLBACK Form::AskedForObject(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(h), GWLP_USERDATA));
    try {
        if (message == WM_GETOBJECT && form) form->NameControls();
    } catch (...) {
        form->program_.Report(CurrentError(), form);
    }
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_USERDATA)), h, message, wParam, lParam);
}

}  // namespace app
