#pragma once
// The real program, in process, driven with the messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "forms/program.h"
#include "forms/window.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace tarvex_test {

using forms::Combo;
using forms::Window;

// Handles whatever is waiting in this thread's queue (paints, activation, WM_QUIT).
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Typing, key by key: unlike WM_SETTEXT this clears a combo's selection, as a user's typing does.
inline void Type(Window edit, std::wstring_view text) {
    edit.Send(EM_SETSEL, 0, -1);
    for (wchar_t c : text) edit.Send(WM_CHAR, c, 1);
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Whether the window's background shows the artwork's known colours where it is plain: the band,
// darker at its foot, the sand, the car's paint. The artwork (700 x 501) spans the client area.
inline ::testing::AssertionResult PaintsTheArtwork(HWND form) {
    const RECT client = Window(form).Client();
    forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    forms::ScopedBitmap painted(CreateBitmap(client.right, client.bottom, 1, 32, nullptr));
    forms::Selection target(dc.get(), painted.get());
    SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    const std::tuple<double, double, COLORREF, int> points[] = {{20, 2, RGB(48, 103, 177), 3}, {20, 30, RGB(38, 88, 155), 3},
                                                               {350, 100, RGB(241, 230, 201), 2}, {20, 450, RGB(237, 224, 191), 2},
                                                               {576, 93, RGB(173, 35, 26), 12}};
    for (const auto& [px, py, colour, tolerance] : points) {
        const int x = static_cast<int>((px + 0.5) * client.right / 700), y = static_cast<int>((py + 0.5) * client.right / 700);
        if (const COLORREF drawn = GetPixel(dc.get(), x, y); !Near(drawn, colour, tolerance))
            return ::testing::AssertionFailure() << "at " << px << "," << py << ": " << std::hex << drawn << " instead of " << colour;
    }
    return ::testing::AssertionSuccess();
}

// The client area of a form as it is on the screen, brought to the front.
class Shot {
public:
    explicit Shot(HWND form) : size_(Window(form).Client()) {
        SetWindowPos(form, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();  // what the window itself invalidated gets painted; nothing more
        HDC screen = GetDC(form);
        dc_.reset(CreateCompatibleDC(screen));
        bitmap_.reset(CreateCompatibleBitmap(screen, size_.right, size_.bottom));
        SelectObject(dc_.get(), bitmap_.get());
        BitBlt(dc_.get(), 0, 0, size_.right, size_.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(form, screen);
    }
    // The colours drawn in a rectangle of the client area, but where other controls lie over it.
    std::set<COLORREF> Colours(RECT r, const std::vector<RECT>& over = {}) const {
        std::set<COLORREF> colours;
        for (LONG y = std::max(0L, r.top); y < std::min(r.bottom, size_.bottom); ++y)
            for (LONG x = std::max(0L, r.left); x < std::min(r.right, size_.right); ++x)
                if (std::ranges::none_of(over, [&](const RECT& o) { return PtInRect(&o, POINT{x, y}); }))
                    colours.insert(GetPixel(dc_.get(), x, y));
        return colours;
    }

private:
    RECT size_;
    forms::ScopedBitmap bitmap_;  // freed after the DC it is selected in
    forms::ScopedDc dc_;
};

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
        : program_(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3,
                   [this](const calc::RuntimeError& e, HWND) { errors_.push_back(e); }) {}

    void SetUp() override {
        program_.Form1()->Show();
        Pump();
    }

    forms::Form& Main() { return program_.Form1().get(); }
    Window Control(int id) { return Main().control(id); }
    std::wstring Text(int id) { return Main().Text(id); }

    void Click(int id) { Control(id).Click(); }
    void Choose(int combo, int index) { Combo(Control(combo)).Select(index); }
    void ChooseOther(int combo) { Choose(combo, Combo(Control(combo)).Count() - 1); }
    // One size from the lists, as a user picks it: widthCombo is Combo1 or Combo4.
    void ChooseSize(int widthCombo, std::wstring_view width, std::wstring_view profile, std::wstring_view rim) {
        for (const auto& [combo, entry] : {std::pair{widthCombo, width}, {widthCombo + 1, profile}, {widthCombo + 2, rim}})
            ASSERT_TRUE(Combo(Control(combo)).Select(Combo(Control(combo)).Find(entry)));
    }

    std::vector<calc::RuntimeError> errors_;  // what the program reported, in order
    forms::Program program_;
};

}  // namespace tarvex_test
