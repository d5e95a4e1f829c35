// The one message box the user ever sees: an error that left a click handler.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// What the timer found in the message box, "caption|text|owner"; the timer procedure
// has no other way back.
std::wstring seen;

void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(box, cls, 16);
            if (std::wstring(cls) != L"#32770" || !IsWindowVisible(box)) return TRUE;
            seen += Window(box).Text() + L"|" + Window(box).Child(0xFFFF).Text() + L"|" +
                    std::to_wstring(reinterpret_cast<UINT_PTR>(GetWindow(box, GW_OWNER)));
            PostMessageW(box, WM_COMMAND, IDOK, 0);  // the user presses OK
            return FALSE;
        },
        0);
    if (!seen.empty()) KillTimer(nullptr, timer);
}

TEST(ErrorReport, IsAMessageBoxCaptionedTarvexAndTheProgramGoesOn) {
    app::Program program(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3);  // the real report
    program.Form1->Show();
    app::Form& form = program.Form1.get();
    Combo(form.control(Combo4)).Select(10);  // "inna"
    Window(form.control(Text4)).SetText(L"40000");
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressOk);  // fires inside the box's own loop
    Window(form.control(Przelicz)).Click();
    KillTimer(nullptr, timer);

    // One box, owned by the main window.
    EXPECT_EQ(seen, L"Tarvex|Błąd wykonania nr 6:\n\nPrzepełnienie|" +
                        std::to_wstring(reinterpret_cast<UINT_PTR>(form.hwnd())));
    EXPECT_FALSE(program.ended());
    EXPECT_TRUE(IsWindowVisible(form.hwnd()));
    EXPECT_EQ(form.Text(srdnicaakt), L"385.8");  // written before the error
}

}  // namespace
}  // namespace tarvex_test
