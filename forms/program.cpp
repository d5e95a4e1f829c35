#include "forms/program.h"

#include <commctrl.h>

#include <utility>

#include "forms/errors.h"
#include "forms/platform.h"
#include "assets/resource_ids.h"

namespace forms {

Form& FormRef::get() {
    if (!form_) form_ = std::make_unique<Form>(program_, desc_);
    return *form_;
}

Program::Program(HINSTANCE instance, const FormDesc& main, const FormDesc& about, const FormDesc& help,
                 ErrorReport report)
    : instance_(instance),
      arrow_(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_TARVEX_ARROW))),
      ibeam_(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_TARVEX_IBEAM))),
      busy_(LoadCursorW(instance, MAKEINTRESOURCEW(IDC_TARVEX_BUSY))),
      forms_{&main, &about, &help},
      lookups_(SystemDpiLookups()),
      fonts_(forms_, lookups_),
      report_(std::move(report)),
      query_(&SystemHighContrast),
      highContrast_(query_()),
      form1_(*this, main),
      form2_(*this, about),
      form3_(*this, help) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    windowClass_ = Form::RegisterWindowClass(instance);
    owner_.reset(CreateWindowExW(0, L"STATIC", L"Tarvex", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
}

Program::~Program() {
    owner_.reset();  // takes every form's window with it
    if (windowClass_) UnregisterClassW(Form::kWindowClass, instance_);
}

std::wstring Program::DecimalSeparator() const { return UserDecimalSeparator(); }

void Program::UseHighContrastQuery(bool (*query)()) {
    query_ = query;
    RefreshHighContrast();
}

HCURSOR Program::Cursor(Pointer pointer) const {
    switch (pointer) {
        case Pointer::Arrow: return arrow_;
        case Pointer::IBeam: return ibeam_;
        case Pointer::Busy: return busy_;
        case Pointer::System: break;
    }
    return LoadCursorW(nullptr, IDC_ARROW);  // shared, owned by the system
}

bool Program::IsFormWindow(HWND hwnd) const {
    return windowClass_ && GetClassWord(hwnd, GCW_ATOM) == windowClass_;
}

void Program::End() {
    ended_ = true;
    owner_.reset();
    PostQuitMessage(0);
}

// Over the window whose handling failed, else over the main window while it is there.
void Program::Report(const calc::RuntimeError& error, const Form* over) const noexcept {
    if (!over || !over->loaded()) over = form1_.instance();
    try {
        report_(error, over && over->loaded() ? over->hwnd() : nullptr);
    } catch (...) {  // a report must not throw; nothing more can be told then
    }
}

}  // namespace forms
