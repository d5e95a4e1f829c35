#include "forms/accessibility.h"

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

// A plain subclass: comctl32's keeps its record in a window property, which costs every
// message a trip to the window server under Wine. It keeps nothing: the form does the naming.
LRESULT CALLBACK AskedForObject(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC own = ClassProcedure(control);
    if (message == WM_GETOBJECT) SendMessageW(GetParent(control), kNameRequest, 0, 0);
    if (message == WM_NCDESTROY) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    return CallWindowProcW(own, control, message, wParam, lParam);
}

}  // namespace

void ListenForReader(HWND control) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AskedForObject));
}

// Only now are the names given. A window counts as named once it has asked for them all.
void Form::NameControls() {
    if (named_) return;
    named_ = true;
    for (const ControlDesc& c : desc_.controls)
        if (!c.spokenName.empty()) program_.names().Name(control(c.id), c.spokenName);
}

// Names given to controls outlive their windows unless taken back.
void Form::ForgetNames() {
    if (!named_) return;
    named_ = false;
    for (const ControlDesc& c : desc_.controls)
        if (!c.spokenName.empty()) program_.names().Unname(control(c.id));
}

}  // namespace forms
