#pragma once
// The real program, in process: its windows are built from their descriptions and
// driven with the same messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/picture.h"
#include "app/program.h"
#include "app/window.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace tarvex_test {

using app::Combo;
using app::Window;

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

// Whether the window paints its picture, as the program decodes it for this density, from
// the top-left corner over its whole client area.
inline ::testing::AssertionResult PaintsPicture(HWND form, int resource, int dpi) {
    const RECT client = Window(form).Client();
    app::ScopedBitmap picture = app::LoadJpegResource(GetModuleHandleW(nullptr), resource, dpi);
    BITMAP size{};
    GetObjectW(picture.get(), sizeof size, &size);
    if (size.bmWidth < client.right || size.bmHeight < client.bottom) return ::testing::AssertionFailure() << "too small";
    app::ScopedDc pictureDc(CreateCompatibleDC(nullptr)), dc(CreateCompatibleDC(nullptr));
    app::Selection source(pictureDc.get(), picture.get());
    app::ScopedBitmap painted(CreateCompatibleBitmap(pictureDc.get(), client.right, client.bottom));
    app::Selection target(dc.get(), painted.get());
    SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    for (int y = 0; y < client.bottom; y += 7)
        for (int x = 0; x < client.right; x += 5)
            if (GetPixel(dc.get(), x, y) != GetPixel(pictureDc.get(), x, y))
                return ::testing::AssertionFailure() << "differs at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
        : program_(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3,
                   [this](const calc::RuntimeError& e) { errors_.push_back(e); }) {}

    void SetUp() override {
        program_.Form1->Show();
        Pump();
    }

    app::Form& Main() { return program_.Form1.get(); }
    Window Control(int id) { return Main().control(id); }
    std::wstring Text(int id) { return Main().Text(id); }

    void Click(int id) { Control(id).Click(); }
    void Choose(int combo, int index) { Combo(Control(combo)).Select(index); }
    void ChooseOther(int combo) { Choose(combo, Combo(Control(combo)).Count() - 1); }
    void Put(int box, std::wstring_view text) { Control(box).SetText(text); }
    // One size from the lists, as a user picks it: widthCombo is Combo1 or Combo4.
    void ChooseSize(int widthCombo, std::wstring_view width, std::wstring_view profile, std::wstring_view rim) {
        for (const auto& [combo, entry] : {std::pair{widthCombo, width}, {widthCombo + 1, profile}, {widthCombo + 2, rim}})
            ASSERT_TRUE(Combo(Control(combo)).Select(Combo(Control(combo)).Find(entry)));
    }

    std::vector<calc::RuntimeError> errors_;  // what the program reported, in order
    app::Program program_;
};

}  // namespace tarvex_test
