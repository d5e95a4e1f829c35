#include "app/program.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string>

#include "app/dpi.h"
#include "app/errors.h"
#include "assets/resource_ids.h"

namespace app {

calc::RuntimeError WindowFailure(std::wstring_view what, unsigned long code) {
    // An HRESULT reads best in hexadecimal, as the system's documentation lists them.
    wchar_t number[16];
    swprintf(number, 16, code > 0xFFFF ? L"0x%08lX" : L"%lu", code);
    return {kWindowFailure, L"Nie udało się " + std::wstring(what) + L" (kod systemu " + number + L")"};
}

calc::RuntimeError CurrentError() noexcept {
    try {
        try {
            throw;
        } catch (const calc::RuntimeError& error) {
            return error;
        } catch (const std::bad_alloc&) {
            return OutOfMemory();
        } catch (const std::exception& e) {
            std::wstring text;
            for (const char* c = e.what(); *c; ++c) text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
            return InternalError(text);
        } catch (...) {
            return InternalError(L"nieznany wyjątek");
        }
    } catch (...) {  // not even the description could be made
        return {kOutOfMemory, {}};
    }
}

bool SystemHighContrast() {
    HIGHCONTRASTW setting{sizeof setting, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) && (setting.dwFlags & HCF_HIGHCONTRASTON);
}

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
      fonts_(forms_),
      report_(std::move(report)),
      Form1(*this, main),
      Form2(*this, about),
      Form3(*this, help) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    windowClass_ = Form::RegisterWindowClass(instance);
    owner_.reset(CreateWindowExW(0, L"STATIC", L"Tarvex", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr));
    // Every face is chosen once, here, for the main screen's density, whichever window
    // opens first; a window on a screen of another density has its own chosen when it opens.
    // A font the system cannot give is reported when a window needs it, over that window.
    const int dpi = DpiOf(owner_.get());
    try {
        for (const FormDesc* form : forms_)
            for (const ControlDesc& c : form->controls) fonts_.Get(c.font, dpi);
    } catch (const calc::RuntimeError&) {
    }
}

Program::~Program() {
    owner_.reset();  // takes every form's window with it
    if (windowClass_) UnregisterClassW(Form::kWindowClass, instance_);
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

// COM and the accessibility service are loaded only now, when a screen reader first asks.
void Program::Name(HWND control, std::wstring_view name) {
    if (standIn_) return standIn_->Name(control, name);
    if (!names_.get()) {
        if (!com_) com_.emplace();
        if (FAILED(com_->Create(CLSID_AccPropServices, IID_IAccPropServices, reinterpret_cast<void**>(names_.put()))))
            return;  // no accessibility service: nothing to name for
    }
    names_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                           std::wstring(name).c_str());
}

void Program::Unname(HWND control) {
    if (standIn_) return standIn_->Unname(control);
    MSAAPROPID property = PROPID_ACC_NAME;
    if (names_.get()) names_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &property, 1);
}

bool Program::IsFormWindow(HWND hwnd) const {
    return windowClass_ && GetClassWord(hwnd, GCW_ATOM) == windowClass_;
}

int Program::Run() {
    if (!owner_) {
        Report(WindowFailure(L"utworzyć okna programu", GetLastError()));
        return 1;
    }
    try {
        Form1->Show();
    } catch (...) {
        Report(CurrentError());
        return 1;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        try {
            // Tab, Shift+Tab and arrow keys move the focus as in a dialog.
            HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root && IsFormWindow(root) && IsDialogMessageW(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } catch (...) {  // the window procedures catch their own; this is the last line
            Report(CurrentError());
        }
    }
    return static_cast<int>(msg.wParam);
}

void Program::End() {
    ended_ = true;
    owner_.reset();
    PostQuitMessage(0);
}

void Program::Report(const calc::RuntimeError& error, const Form* over) const noexcept {
    try {
        if (report_) {
            report_(error);
            return;
        }
        if (!over || !over->loaded()) over = Form1.instance();
        ShowErrorBox(error, over && over->loaded() ? over->hwnd() : nullptr);
    } catch (...) {  // the report's own text could not be made: the bare number still can
        MessageBoxW(over && over->loaded() ? over->hwnd() : nullptr, L"Błąd wykonania nr 7", L"Tarvex", MB_OK | MB_ICONERROR);
    }
}

namespace {

constexpr wchar_t kPlacedProperty[] = L"Tarvex.Placed";

// A message box opens centred on its screen, which can be far from the window it
// concerns, or under Wine partly off a small screen. Centred on its owner instead, and
// kept whole within the owner's work area; once, so that the user may move it.
LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    const HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t cls[8] = {};
    const bool isBox = (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) && GetClassNameW(box, cls, 8) &&
                       std::wstring_view(cls) == L"#32770";  // the other windows stay where they are
    const HWND owner = isBox ? GetWindow(box, GW_OWNER) : nullptr;
    if (code == HCBT_DESTROYWND && owner) {
        RemovePropW(box, kPlacedProperty);
    } else if (owner && !GetPropW(box, kPlacedProperty) && SetPropW(box, kPlacedProperty, box)) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT work = monitor.rcWork, around = Window(owner).Rect(), r = Window(box).Rect();
        const auto place = [](LONG centre, LONG size, LONG low, LONG high) {
            return std::max(low, std::min(centre - size / 2, high - size));
        };
        SetWindowPos(box, nullptr, place((around.left + around.right) / 2, r.right - r.left, work.left, work.right),
                     place((around.top + around.bottom) / 2, r.bottom - r.top, work.top, work.bottom), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Unhook {
    void operator()(HHOOK h) const { UnhookWindowsHookEx(h); }
};

}  // namespace

void Program::ShowErrorBox(const calc::RuntimeError& error, HWND over) const {
    const std::wstring text = L"Błąd wykonania nr " + std::to_wstring(error.number) + L":\n\n" + error.description;
    const Scoped<HHOOK, Unhook> placing(SetWindowsHookExW(WH_CBT, &PlaceMessageBox, nullptr, GetCurrentThreadId()));
    MessageBoxW(over, text.c_str(), L"Tarvex", MB_OK | MB_ICONERROR);
}

}  // namespace app
