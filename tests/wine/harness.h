#pragma once
// The real program, in process: its windows are built from their descriptions and
// driven with the same messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace tarvex_test {

// Handles whatever is waiting in this thread's queue (paints, activation, WM_QUIT).
inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Client rectangle of a control, in its form's client pixels.
inline RECT PlaceOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline HWND ComboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    return info.hwndItem;
}

// Typing, key by key: unlike WM_SETTEXT this clears a combo's selection, as a user's typing does.
inline void Type(HWND edit, std::wstring_view text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
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
    HWND Control(int id) { return Main().control(id); }
    std::wstring Text(int id) { return Main().Text(id); }

    void Click(app::Form& form, int id) { SendMessageW(form.control(id), BM_CLICK, 0, 0); }
    void Click(int id) { Click(Main(), id); }
    void Choose(int combo, int index) { SendMessageW(Control(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    void ChooseOther(int combo) { Choose(combo, static_cast<int>(SendMessageW(Control(combo), CB_GETCOUNT, 0, 0)) - 1); }
    void Put(int box, std::wstring_view text) { SetWindowTextW(Control(box), std::wstring(text).c_str()); }
    // Chooses the list entry with this text, as a user does from the open list.
    void ChooseEntry(int combo, std::wstring_view text) {
        const LRESULT index = SendMessageW(Control(combo), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
        ASSERT_GE(index, 0) << "no list entry " << std::string(text.begin(), text.end());
        Choose(combo, static_cast<int>(index));
    }
    // One size: widthCombo is Combo1 or Combo4, the profile and rim combos follow it.
    void ChooseSize(int widthCombo, std::wstring_view width, std::wstring_view profile, std::wstring_view rim) {
        ChooseEntry(widthCombo, width);
        ChooseEntry(widthCombo + 1, profile);
        ChooseEntry(widthCombo + 2, rim);
    }

    std::vector<calc::RuntimeError> errors_;  // what the program reported, in order
    app::Program program_;
};

}  // namespace tarvex_test
