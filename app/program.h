#pragma once
// The running program: the three window references, the event loop, End, and the
// report of an error that leaves a click handler.

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "app/fonts.h"
#include "app/form.h"
#include "app/form_desc.h"
#include "app/scoped.h"
#include "calc/error.h"

namespace app {

class Program;

// The program-wide reference to a window class's single instance, created on first use.
class FormRef {
public:
    FormRef(Program& program, const FormDesc& desc) : program_(program), desc_(desc) {}
    Form* operator->() { return &get(); }
    Form& get();
    bool exists() const { return form_ != nullptr; }
    Form* instance() const { return form_.get(); }  // null until first use

private:
    Program& program_;
    const FormDesc& desc_;
    std::unique_ptr<Form> form_;
};

using ErrorReport = std::function<void(const calc::RuntimeError&)>;

// Where the names a screen reader speaks go, instead of the system's accessibility service.
class NameService {
public:
    virtual ~NameService() = default;
    virtual void Name(HWND control, std::wstring_view name) = 0;
    virtual void Unname(HWND control) = 0;
};

// SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON, asked anew each time: the user may switch.
bool SystemHighContrast();

class Program {
public:
    // report: how an error that leaves a handler reaches the user; by default a
    // message box captioned "Tarvex".
    Program(HINSTANCE instance, const FormDesc& main, const FormDesc& about, const FormDesc& help,
            ErrorReport report = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    int Run();  // shows Form1 and runs the event loop; the exit code
    void End();  // every window goes at once; no further click reaches a handler
    bool ended() const { return ended_; }

    // over: the window whose handling raised the error; the report opens over it, and
    // the program goes on.
    void Report(const calc::RuntimeError& error, const Form* over = nullptr) const noexcept;
    void ShowErrorBox(const calc::RuntimeError& error, HWND over) const;

    HINSTANCE instance() const { return instance_; }
    HWND owner() const { return owner_.get(); }
    HCURSOR Cursor(Pointer pointer) const;
    // What a screen reader calls a control: set for the control's life, taken back before it goes.
    void Name(HWND control, std::wstring_view name);
    void Unname(HWND control);
    void UseNameService(NameService* service) { standIn_ = service; }  // instead of the system's
    Fonts& fonts() { return fonts_; }
    // Whether the user asked for high contrast: the windows then drop their picture and
    // colours for the system's. query: asks instead of the system, from now on.
    bool HighContrast() const { return highContrast_(); }
    void UseHighContrastQuery(bool (*query)()) { highContrast_ = query; }
    bool IsFormWindow(HWND hwnd) const;

private:
    HINSTANCE instance_;
    HCURSOR arrow_, ibeam_, busy_;  // loaded shared: the system owns them
    const FormDesc* forms_[3];
    Fonts fonts_;
    ATOM windowClass_ = 0;
    ScopedWindow owner_;  // hidden: owns every form, so none gets a taskbar button
    std::optional<ComApartment> com_;  // from the first name on
    ComRef<IAccPropServices> names_;
    NameService* standIn_ = nullptr;
    ErrorReport report_;
    bool (*highContrast_)() = &SystemHighContrast;
    bool ended_ = false;

public:
    FormRef Form1, Form2, Form3;
};

}  // namespace app
