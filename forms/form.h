#pragma once
// One window of the program, built from its description. The instance lives for the
// whole run; its window may come and go (Show builds it when needed, the title-bar
// close box destroys it). Its jobs are spread over files named after them: properties
// and showing here, building, the window procedure, painting, accessibility.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/error.h"
#include "design/form_api.h"
#include "design/form_desc.h"
#include "forms/scoped.h"
#include "forms/window.h"

namespace forms {

class Program;

class Form final : public Controls {
public:
    Form(Program& program, const FormDesc& desc);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::wstring Text(int id) const override;
    void SetText(int id, std::wstring_view text) override;
    std::int16_t ListIndex(int id) const override;
    std::int16_t ListCount(int id) const override;
    std::wstring List(int id, int index) const override;
    void SetInk(int id, Rgb ink) override;
    ProgramHandle& program() const override;

    void Show();  // modeless, brought to the front; builds the window when it has none
    void Hide();  // keeps the window, its contents and its position

    Program& runtime() const { return program_; }
    HWND hwnd() const { return hwnd_; }
    HWND control(int id) const;
    bool loaded() const { return hwnd_ != nullptr; }

    // The one window class every form is built on; each window sets its own icons, at its density.
    static ATOM RegisterWindowClass(HINSTANCE instance);
    static constexpr const wchar_t* kWindowClass = L"TarvexForm";
    // A control's window id is this plus its enumerator; clear of IDOK and IDCANCEL,
    // which Enter and Esc send.
    static constexpr int kFirstControlId = 100;

private:
    struct Message {
        UINT id;
        WPARAM wParam;
        LPARAM lParam;
    };
    // window_proc.cpp
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(const Message& m);
    LRESULT Failed(const Message& m) noexcept;
    void ReportLater(UINT message) noexcept;
    LRESULT Default(const Message& m) const { return DefWindowProcW(hwnd_, m.id, m.wParam, m.lParam); }
    LRESULT RunClickHandler(const Message& m);
    LRESULT NameFocusedButton() const;
    LRESULT KeepFocus(const Message& m);
    LRESULT Close(const Message& m);
    LRESULT ColoursChanged(const Message& m);
    // density_change.cpp
    LRESULT Rescale(const Message& m);
    void PlaceAt(POINT topLeft, const std::optional<RECT>& workArea);
    // paint.cpp
    LRESULT PaintBackground(HDC dc);
    LRESULT ColourLabel(const Message& m) const;
    LRESULT ColourBox(const Message& m) const;
    LRESULT ShowPointer(const Message& m) const;
    void Repaint(const RECT* area = nullptr) const;  // null: the whole window
    // accessibility.cpp
    static void ListenForReader(HWND control);
    static LRESULT CALLBACK AskedForObject(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void NameControls();
    void ForgetNames();
    // build.cpp
    void Build();
    void LoadPicture();
    void LoadIcons();
    void CreateControl(const ControlDesc& c);
    HFONT FontFor(const Font& font);
    void Unloaded();
    // Every form's frame: fixed, with a caption and a close box.
    static constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU;
    static constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

    const ControlDesc* Find(HWND child) const;
    std::optional<Rgb> InkOf(const ControlDesc& c) const;
    void RepaintLabel(HWND label);
    HWND Require(int id) const;

    Program& program_;
    const FormDesc& desc_;
    HWND hwnd_ = nullptr;         // owned by the window manager via Program's owner window
    std::vector<HWND> controls_;  // by control id; children die with hwnd_
    std::vector<std::optional<Rgb>> inks_;  // by control id: what a handler set instead of the table's
    int dpi_ = kDesignDpi;    // the window's, once it has one: its frame's and icons'
    int scale_ = kDesignDpi;  // what its picture, fonts and controls are laid out at
    ScopedBitmap picture_;
    int pictureScale_ = 0;
    ScopedIcon bigIcon_, smallIcon_;
    HWND lastFocus_ = nullptr;
    bool asked_ = false;              // a screen reader has asked: each control gets its name once it exists
    bool named_ = false;              // every control with a spoken name carries it
    std::vector<HWND> spoken_;        // the controls named so far
    std::optional<RECT> repaint_;     // during a click: the labels it changed, repainted at its end
    struct Failure {
        UINT message;
        calc::RuntimeError error;
    };
    std::vector<Failure> failures_;   // told already, from messages other than clicks
};

}  // namespace forms
