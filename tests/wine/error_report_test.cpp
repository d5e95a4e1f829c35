// The one message box the user ever sees: an error that left a click handler.

#include <new>
#include <stdexcept>

#include "app/error_box.h"
#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// What the timer found in the box, "caption|text|owner", and where.
struct Seen { std::wstring text; RECT place; } seen;

void CALLBACK PressOk(HWND, UINT, UINT_PTR timer, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND box, LPARAM) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(box, cls, 16);
            if (std::wstring(cls) != L"#32770" || !IsWindowVisible(box)) return TRUE;
            seen = {Window(box).Text() + L"|" + Window(box).Child(0xFFFF).Text() + L"|" +
                        std::to_wstring(reinterpret_cast<UINT_PTR>(GetWindow(box, GW_OWNER))),
                    Window(box).Rect()};
            PostMessageW(box, WM_COMMAND, IDOK, 0);  // the user presses OK
            return FALSE;
        },
        0);
    if (!seen.text.empty()) KillTimer(nullptr, timer);
}

TEST(ErrorReport, IsAMessageBoxCaptionedTarvexOverTheWindowWholeOnTheScreenAndTheProgramGoesOn) {
    forms::Program program(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3, &app::ShowErrorBox);  // the real report
    program.Form1()->Show();
    forms::Form& form = program.Form1().get();
    Combo(form.control(Combo4)).Select(10);  // "inna"
    Window(form.control(Text4)).SetText(L"40000");
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(form.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT work = monitor.rcWork, main = Window(form.hwnd()).Rect();
    const LONG width = main.right - main.left, height = main.bottom - main.top;
    // The main window in the far corner of a large screen, then half off its other corner.
    for (const POINT at : {POINT{work.right - width, work.bottom - height}, POINT{work.left - width / 2, work.top - height / 2}}) {
        SetWindowPos(form.hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        seen = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, PressOk);  // fires inside the box's own loop
        Window(form.control(Przelicz)).Click();
        KillTimer(nullptr, timer);

        // One box, owned by the main window.
        EXPECT_EQ(seen.text, L"Tarvex|Błąd wykonania nr 6:\n\nPrzepełnienie|" +
                                 std::to_wstring(reinterpret_cast<UINT_PTR>(form.hwnd())));
        const RECT box = seen.place;
        EXPECT_TRUE(box.left >= work.left && box.top >= work.top && box.right <= work.right && box.bottom <= work.bottom)
            << box.left << "," << box.top << " " << box.right << "," << box.bottom;
        if (at.x > work.left) {  // whole on the screen: centred on the main window
            EXPECT_NEAR((box.left + box.right) / 2, at.x + width / 2, 2);
            EXPECT_NEAR((box.top + box.bottom) / 2, at.y + height / 2, 2);
        }
        EXPECT_FALSE(program.ended());
        EXPECT_TRUE(IsWindowVisible(form.hwnd()));
        EXPECT_EQ(form.Text(srdnicaakt), L"385.8");  // written before the error
    }
}

// A window whose picture the program cannot use: a missing resource, and an icon image (from
// test_resources.rc) where a top-down 32-bit bitmap should be.
template <int kPicture>
void ShowWithPicture(forms::Controls& form) {
    forms::FormDesc desc = ui::kForm2;
    desc.picture.car = kPicture;
    forms::Form(static_cast<forms::Form&>(form).runtime(), desc).Show();
}

// Handlers that throw each kind of exception there is, and two that fail to show a window.
constexpr forms::ControlDesc kThrowers[] = {
    forms::Button(0, {0, 0, 900, 375}, L"a", [](forms::Controls&) { throw calc::DivisionByZero(); }),
    forms::Button(1, {0, 400, 900, 375}, L"b", [](forms::Controls&) { throw std::bad_alloc(); }),
    forms::Button(2, {0, 800, 900, 375}, L"c", [](forms::Controls&) { throw std::logic_error("stan niespojny"); }),
    forms::Button(3, {0, 1200, 900, 375}, L"d", [](forms::Controls&) { throw 42; }),
    forms::Button(4, {0, 1600, 900, 375}, L"e", ShowWithPicture<9999>),
    forms::Button(5, {0, 2000, 900, 375}, L"f", ShowWithPicture<9001>)};
constexpr int kThrowersOrder[] = {0, 1, 2, 3, 4, 5};

// Whatever a handler throws stops at the window procedure, reported with a number and, for a
// failed window, the system's own cause.
TEST_F(ProgramTest, WhateverAHandlerThrowsIsReportedAndTheProgramGoesOn) {
    const forms::FormDesc desc{L"throwing", 1500, 2400, ui::kForm2.picture, forms::Pointer::System, kThrowers, kThrowersOrder, false};
    forms::Form form(program_, desc);
    form.Show();
    for (int button : kThrowersOrder) Window(form.control(button)).Click();
    std::vector<std::pair<int, std::wstring>> reported;
    for (const calc::RuntimeError& e : errors_) reported.emplace_back(e.number, e.description);
    EXPECT_EQ(reported, (std::vector<std::pair<int, std::wstring>>{
                            {11, L"Dzielenie przez zero"}, {7, L"Brak pamięci"},
                            {51, L"Nieoczekiwany błąd wewnętrzny: stan niespojny"},
                            {51, L"Nieoczekiwany błąd wewnętrzny: nieznany wyjątek"},
                            {5, L"Nie udało się wczytać obrazu tła (kod systemu 1814)"},  // no such resource
                            {5, L"Nie udało się wczytać obrazu tła (kod systemu 13)"}}));  // invalid data
    EXPECT_TRUE(!program_.ended() && IsWindowVisible(form.hwnd()) && IsWindowVisible(Main().hwnd()));
}

}  // namespace
}  // namespace tarvex_test
