#include "forms/program.h"

#include <commctrl.h>

#include <utility>

#include "assets/resource_ids.h"
#include "design/errors.h"
#include "design/look.h"
#include "forms/platform.h"

namespace forms {

Form& FormRef::get() {
    if (!form_) form_ = std::make_unique<Form>(program_, desc_);
    return *form_;
}

Program::Program(HINSTANCE instance, const FormDesc& main, const FormDesc& about, const FormDesc& help,
                 ErrorReport report)
    : instance_(instance),
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
    // Without either nothing can be shown: told now, with the system's own cause.
    windowClass_ = Form::RegisterWindowClass(instance);
    if (!windowClass_) throw WindowFailure(L"zarejestrować klasy okna", GetLastError());
    owner_.reset(CreateWindowExW(0, L"STATIC", L"Tarvex", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
    if (!owner_) {
        const DWORD code = GetLastError();
        UnregisterClassW(Form::kWindowClass, instance_);
        throw WindowFailure(L"utworzyć okna programu", code);
    }
    // The owner also receives the reports that wait for their message to return.
    SetWindowLongPtrW(owner_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ownerProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(owner_.get(), GWLP_WNDPROC));
    SetWindowLongPtrW(owner_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OwnerProc));
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

// Each cursor resource holds an image of each size: LoadImage takes the one asked for, unshared.
HCURSOR Program::Cursor(Pointer pointer, int dpi) {
    const int which = static_cast<int>(pointer) - static_cast<int>(Pointer::Arrow), size = PointerSize(dpi);
    const HCURSOR system = LoadCursorW(nullptr, IDC_ARROW);  // shared, owned by the system
    if (which < 0 || which > 2) return system;
    ScopedCursor& cursor = cursors_[size / 16 - 2][which];
    if (!cursor) {
        const int ids[] = {IDC_TARVEX_ARROW, IDC_TARVEX_IBEAM, IDC_TARVEX_BUSY};
        const auto id = MAKEINTRESOURCEW(ids[which]);
        cursor.reset(static_cast<HCURSOR>(LoadImageW(instance_, id, IMAGE_CURSOR, size, size, 0)));
    }
    return cursor ? cursor.get() : system;
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
void Program::Report(const calc::RuntimeError& error, const Form* over) noexcept {
    Tell(error, over ? over->hwnd() : nullptr);
}

void Program::Tell(const calc::RuntimeError& error, HWND over) noexcept {
    if (!over || !IsWindow(over)) over = form1_.exists() && form1_.instance()->loaded() ? form1_.instance()->hwnd() : nullptr;
    ++reporting_;
    try {
        report_(error, over);
    } catch (...) {  // a report must not throw; nothing more can be told then
    }
    // What failed while this report was open is told after it, one report at a time.
    if (--reporting_ == 0 && !deferred_.empty()) PostDeferred();
}

void Program::ReportLater(calc::RuntimeError error, HWND over) noexcept {
    if (!owner_) return;  // the program has ended: nobody is left to tell
    Deferred failure{std::move(error), over};
    try {
        deferred_.push_back(std::move(failure));  // left as it was if this throws
    } catch (...) {  // no memory to keep it: told now rather than lost
        return Tell(failure.error, over);
    }
    PostDeferred();
}

void Program::PostDeferred() noexcept {
    if (!posted_ && owner_) posted_ = PostMessageW(owner_.get(), kDeferredReport, 0, 0);
}

void Program::ReportDeferred() noexcept {
    posted_ = false;
    while (!deferred_.empty() && reporting_ == 0) {
        const Deferred next = std::move(deferred_.front());
        deferred_.erase(deferred_.begin());
        Tell(next.error, next.over && IsFormWindow(next.over) ? next.over : nullptr);
    }
}

LRESULT CALLBACK Program::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Program*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == kDeferredReport) {
        self->ReportDeferred();  // catches whatever the report throws
        return 0;
    }
    return CallWindowProcW(self->ownerProc_, hwnd, message, wParam, lParam);
}

}  // namespace forms
