#pragma once
// The running program: what ties the runtime together. The three window references, the
// hidden owner of every window, the window class, pointers, fonts, the screen-reader
// names, the high-contrast setting, the event loop, End, and where an error goes.

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "calc/error.h"
#include "design/form_api.h"
#include "design/form_desc.h"
#include "forms/accessibility.h"
#include "forms/fonts.h"
#include "forms/form.h"
#include "forms/platform.h"
#include "forms/scoped.h"

namespace forms {

class Program;

// The program-wide reference to a window class's single instance, created on first use.
class FormRef final : public FormHandle {
public:
    FormRef(Program& program, const FormDesc& desc) : program_(program), desc_(desc) {}
    Form* operator->() { return &get(); }
    Form& get();
    bool exists() const { return form_ != nullptr; }
    Form* instance() const { return form_.get(); }  // null until first use
    void Show() override { get().Show(); }
    void Hide() override { get().Hide(); }

private:
    Program& program_;
    const FormDesc& desc_;
    std::unique_ptr<Form> form_;
};

// How an error that leaves a handler reaches the user. over: the window whose handling
// raised it, or null. Must not throw.
using ErrorReport = std::function<void(const calc::RuntimeError&, HWND over)>;

// Posted to the hidden owner: failures of messages other than clicks wait to be told.
inline constexpr UINT kDeferredReport = WM_APP;

class Program final : public ProgramHandle {
public:
    // Throws calc::RuntimeError when the window class or the hidden owner cannot be made.
    Program(HINSTANCE instance, const FormDesc& main, const FormDesc& about, const FormDesc& help, ErrorReport report);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    int Run();  // shows Form1 and runs the event loop; the exit code
    void End() override;
    bool ended() const { return ended_; }
    FormRef& Form1() override { return form1_; }
    FormRef& Form2() override { return form2_; }
    FormRef& Form3() override { return form3_; }
    std::wstring DecimalSeparator() const override;

    // The program goes on after the report. over: the window whose handling raised the error.
    void Report(const calc::RuntimeError& error, const Form* over = nullptr) noexcept;
    // The same, told once the message being handled has returned (a posted kDeferredReport),
    // and never while another report is open. over: the form window the failure concerns.
    void ReportLater(calc::RuntimeError error, HWND over) noexcept;

    HINSTANCE instance() const { return instance_; }
    HWND owner() const { return owner_.get(); }
    // The pointer's image for a window at this density (design/look.h), loaded when first asked
    // for and kept until the program ends; the system's arrow for Pointer::System.
    HCURSOR Cursor(Pointer pointer, int dpi);
    Names& names() { return names_; }
    Fonts& fonts() { return fonts_; }
    // Whether the user asked for high contrast, as last read: read again at every change
    // the system announces (RefreshHighContrast). query: asks instead of the system.
    bool HighContrast() const { return highContrast_; }
    void RefreshHighContrast() { highContrast_ = query_(); }
    void UseHighContrastQuery(bool (*query)());
    // How densities, frames and metrics are asked: this system's functions, or those an older
    // Windows would have (a test's stand-ins); taken by every window from its next use on.
    const DpiLookups& lookups() const { return lookups_; }
    void UseLookups(const DpiLookups& lookups) { lookups_ = lookups; }
    bool IsFormWindow(HWND hwnd) const;
    // For tests: runs as each message reaches a form, before the form handles it; what it
    // throws is that message's failure.
    using MessageProbe = void (*)(HWND form, UINT message);
    void UseMessageProbe(MessageProbe each) { probe_ = each; }
    MessageProbe probe() const { return probe_; }

private:
    struct Deferred {
        calc::RuntimeError error;
        HWND over;
    };
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Tell(const calc::RuntimeError& error, HWND over) noexcept;
    void PostDeferred() noexcept;
    void ReportDeferred() noexcept;

    HINSTANCE instance_;
    ScopedCursor cursors_[3][3];  // by size (32, 48, 64 pixels) and pointer (arrow, I-beam, busy)
    const FormDesc* forms_[3];
    DpiLookups lookups_;
    Fonts fonts_;
    ATOM windowClass_ = 0;
    ScopedWindow owner_;  // hidden: owns every form, so none gets a taskbar button
    WNDPROC ownerProc_ = nullptr;  // its class's, under our subclass
    Names names_;
    ErrorReport report_;
    bool (*query_)();
    bool highContrast_;
    bool ended_ = false;
    std::vector<Deferred> deferred_;  // failures waiting to be told, oldest first
    bool posted_ = false;             // a kDeferredReport is on its way
    int reporting_ = 0;               // reports open now
    MessageProbe probe_ = nullptr;
    FormRef form1_, form2_, form3_;
};

}  // namespace forms
