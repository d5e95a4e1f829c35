#include "forms/accessibility.h"

#include <algorithm>
#include <string>

#include "forms/form.h"
#include "forms/program.h"

namespace forms {

void Names::Name(HWND control, std::wstring_view name) {
    if (standIn_) return standIn_->Name(control, name);
    if (!service_.get()) {
        if (!com_) com_.emplace();
        if (FAILED(com_->Create(CLSID_AccPropServices, IID_IAccPropServices, reinterpret_cast<void**>(service_.put()))))
            return;  // no accessibility service: nothing to name for
    }
    service_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                             std::wstring(name).c_str());
}

void Names::Unname(HWND control) {
    if (standIn_) return standIn_->Unname(control);
    MSAAPROPID property = PROPID_ACC_NAME;
    if (service_.get()) service_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
}

namespace {

// The control's own procedure is its class's: the subclass is set right after creation.
WNDPROC ClassProcedure(HWND control) { return reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC)); }

}  // namespace

// A plain subclass: comctl32's keeps its record in a window property, which costs every
// message a trip to the window server under Wine. It keeps nothing: the form does the naming.
LRESULT CALLBACK Form::AskedForObject(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = ClassProcedure(control);
    try {
        if (message == WM_GETOBJECT)
            if (Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA)))
                form->NameControls();
        if (message == WM_NCDESTROY) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
        return CallWindowProcW(own, control, message, wParam, lParam);
    } catch (...) {  // the reader's question ends here; the form tells of it once it has returned
        if (Form* form = reinterpret_cast<Form*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA)))
            form->ReportLater(message);
        return 0;
    }
}

// Makes the control name every control of its form when a reader asks it; undone when the
// control goes.
void Form::ListenForReader(HWND control) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AskedForObject));
}

// Only now are the names given, to the controls there are: a reader may ask while the
// window is still being built, and the rest are named as Build makes them.
void Form::NameControls() {
    asked_ = true;
    if (named_) return;
    bool all = true;
    for (const ControlDesc& c : desc_.controls) {
        if (c.spokenName.empty()) continue;
        const HWND h = control(c.id);
        if (!h) {
            all = false;
        } else if (std::find(spoken_.begin(), spoken_.end(), h) == spoken_.end()) {
            spoken_.reserve(desc_.controls.size());  // no failure between naming and remembering
            program_.names().Name(h, c.spokenName);
            spoken_.push_back(h);
        }
    }
    named_ = all;
}

// Names given to controls outlive their windows unless taken back.
void Form::ForgetNames() {
    asked_ = named_ = false;
    while (!spoken_.empty()) {
        const HWND h = spoken_.back();
        spoken_.pop_back();
        program_.names().Unname(h);
    }
}

}  // namespace forms
