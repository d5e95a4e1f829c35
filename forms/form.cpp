#include "forms/form.h"

#include "design/errors.h"
#include "forms/program.h"

namespace forms {

Form::Form(Program& program, const FormDesc& desc) : program_(program), desc_(desc) {}

Form::~Form() {
    if (hwnd_) DestroyWindow(hwnd_);
}

ProgramHandle& Form::program() const { return program_; }

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
    if (desc_.controls[static_cast<size_t>(id)].kind == Kind::Label) RepaintLabel(control.hwnd());
}

void Form::SetInk(int id, Rgb ink) {
    const HWND label = Require(id);  // built, so inks_ has a place for every control
    inks_[static_cast<size_t>(id)] = ink;
    RepaintLabel(label);
}

std::optional<Rgb> Form::InkOf(const ControlDesc& c) const {
    const std::optional<Rgb>& set = inks_[static_cast<size_t>(c.id)];
    return set ? set : c.ink;
}

// A transparent label does not erase its old text: the picture under it must be repainted
// too. Left to the next paint; within a click, one request for all.
void Form::RepaintLabel(HWND label) {
    const RECT r = Window(label).Place();
    if (!repaint_) return Repaint(&r);
    UnionRect(&*repaint_, &*repaint_, &r);
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

}  // namespace forms
