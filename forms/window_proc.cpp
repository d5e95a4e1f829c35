// A form's window procedure: every message the program handles, and where it goes.

#include "design/errors.h"
#include "forms/accessibility.h"
#include "forms/form.h"
#include "forms/program.h"

namespace forms {

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
    // throws is reported, over this window, and the program goes on.
    const Message m{message, wParam, lParam};
    try {
        if (Program::MessageProbe probe = self->program_.probe()) probe(hwnd, message);
        return self->HandleMessage(m);
    } catch (...) {
        return self->Failed(m);
    }
}

// A click has done all it will: its report opens at once. Any other message is finished
// as if it had succeeded, and its report waits until it has returned: the loop of a report
// opened inside a paint runs the same paint, and fails, again beneath it, and a screen
// reader would wait on it.
LRESULT Form::Failed(const Message& m) noexcept {
    if (m.id == WM_COMMAND) {
        program_.Report(CurrentError(), this);
        return 0;
    }
    ReportLater(m.id);
    switch (m.id) {
        case WM_PAINT:
        case WM_ERASEBKGND:  // left invalid, the area would fail again at once, and again
            ValidateRect(hwnd_, nullptr);
            return m.id == WM_ERASEBKGND;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: return Default(m);  // the system's colours
        default: return 0;
    }
}

// Call only inside a catch. The same failure of the same message is told once in the
// window's life: a paint that fails fails again whenever the window is uncovered.
void Form::ReportLater(UINT message) noexcept {
    calc::RuntimeError error = CurrentError();
    try {
        for (const Failure& f : failures_)
            if (f.message == message && f.error.number == error.number && f.error.description == error.description)
                return;
        failures_.push_back({message, error});
    } catch (...) {  // not remembered: told all the same
    }
    program_.ReportLater(std::move(error), hwnd_);
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
        case WM_SYSCOLORCHANGE: return ColoursChanged(m);
        case WM_GETOBJECT:
            NameControls();
            return Default(m);
        case WM_DESTROY:
            ForgetNames();
            return Default(m);
        default: return Default(m);
    }
}

LRESULT Form::RunClickHandler(const Message& m) {
    const ControlDesc* c = HIWORD(m.wParam) == BN_CLICKED ? Find(reinterpret_cast<HWND>(m.lParam)) : nullptr;
    if (!c || !c->onClick || program_.ended()) return Default(m);
    // The labels the handler writes are repainted together, also when it fails half way.
    // A click within a click (a handler that clicks a button) adds to the outer one's.
    struct RepaintOnce {
        Form& form;
        const bool outermost;
        explicit RepaintOnce(Form& f) : form(f), outermost(!f.repaint_) {
            if (outermost) form.repaint_ = RECT{};
        }
        ~RepaintOnce() {
            if (!outermost) return;
            if (form.hwnd_ && !IsRectEmpty(&*form.repaint_)) form.Repaint(&*form.repaint_);
            form.repaint_.reset();
        }
        RepaintOnce(const RepaintOnce&) = delete;
        RepaintOnce& operator=(const RepaintOnce&) = delete;
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

// The setting is read once per change, not at every paint; the controls hear of new
// colours too, as top-level windows must pass it on.
LRESULT Form::ColoursChanged(const Message& m) {
    program_.RefreshHighContrast();
    if (m.id == WM_SYSCOLORCHANGE)
        for (HWND c : controls_) SendMessageW(c, WM_SYSCOLORCHANGE, m.wParam, m.lParam);
    Repaint();
    return Default(m);
}

}  // namespace forms
