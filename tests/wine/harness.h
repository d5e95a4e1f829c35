#pragma once
// The real program, in process: its windows are built from their descriptions and
// driven with the same messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

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
