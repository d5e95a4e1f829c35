// The main window moved to screens of other densities with the rectangles Windows suggests, every
// window on a screen too small for its density, and the main window laid out at 144 dpi by the
// density functions of Windows 10, 8.1 and 7.

#include "forms/platform.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// What each Windows gives a program. Where the window's or its monitor's density is known,
// the system's is told to be another screen's, 96 dpi: the window's own must win.
forms::DpiLookups Windows10() {
    forms::DpiLookups l = forms::SystemDpiLookups();
    l.system = [] { return 96; };
    return l;
}
forms::DpiLookups Windows81() {
    static const forms::ScopedModule shcore(LoadLibraryW(L"shcore.dll"));
    const auto forMonitor = forms::Procedure<decltype(forms::DpiLookups::forMonitor)>(shcore.get(), "GetDpiForMonitor");
    return {nullptr, forMonitor, [] { return 96; }};
}
forms::DpiLookups Windows7() { return {nullptr, nullptr, forms::SystemDpiLookups().system}; }

using DensityChange = ProgramTest;

// Every Windows suggests the whole window scaled, frame included. 10 (1703) and later then
// draw the frame scaled too, as AdjustWindowRectExForDpi tells; 8.1 to 10 (1607) keep it at
// the system's density, as Wine always does.
TEST_F(DensityChange, GivesTheDesignsClientAreaWhereSuggestedOnTheWorkAreaPaintedAnewWithItsContents) {
    Choose({L"195", L"65", L"15"});
    Enter(Combo4, L"205");
    Type(Combo(Control(Combo5)).Field(), L"55");
    Click(Przelicz);
    const std::vector<std::wstring> before = Contents(Main(), ui::kForm1);
    ASSERT_NE(Text(srdnicaakt), L"0");
    const RECT work = WorkArea(Main().hwnd());  // the only screen's
    const struct { const char* what; forms::DpiLookups (*windows)(); int dpi; POINT suggested;
                   std::array<LONG, 2> corner; bool bottomRight; } steps[] = {
        {"Windows 10, frame told scaled", Windows10, 144, {100, 60}, {100, 60}, false},
        {"Windows 8.1, frame the system's", Windows81, 192, {40, 30}, {40, 30}, false},
        {"Windows 10, past the bottom right", Windows10, 120, {work.right - 300, work.bottom - 100},
         {work.right, work.bottom}, true},
        {"Windows 8.1, past the top left", Windows81, 144, {work.left - 3000, work.top - 2000},
         {work.left, work.top}, false},
    };
    const HWND form = Main().hwnd();
    int dpi = 96;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << dpi << " to " << step.dpi << " dpi, " << step.what);
        program_.UseLookups(step.windows());
        const RECT old = Window(form).Rect();
        const POINT at = step.suggested;
        const RECT suggested{at.x, at.y, at.x + MulDiv(old.right - old.left, step.dpi, dpi),
                             at.y + MulDiv(old.bottom - old.top, step.dpi, dpi)};
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi), reinterpret_cast<LPARAM>(&suggested));
        dpi = step.dpi;
        Pump();
        ExpectLaidOut(Main(), ui::kForm1, dpi);
        const RECT taken = Window(form).Rect();
        const auto corner = step.bottomRight ? std::array{taken.right, taken.bottom} : std::array{taken.left, taken.top};
        EXPECT_EQ(corner, step.corner);
        EXPECT_EQ(Contents(Main(), ui::kForm1), before);
        EXPECT_EQ(LookOf(PointerOver(form, form)), Expected(forms::Pointer::Arrow, dpi));  // the pointer's size follows
        // On the screen what painting it all anew gives: nothing of the old layout, no control half drawn.
        const Shot shown(form);
        RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(shown.Pixels() == Shot(form).Pixels()) << "pixels stale";
    }
    EXPECT_TRUE(errors_.empty());
}

using SmallScreen = ProgramTest;

// 200 % on a 1366 x 768 screen, the real one of a prefix whose desktop has that size. Wine's frame at
// 192 dpi adds 6 x 43 pixels, which leaves 725 pixels of height: 7500 twips of the main window come to
// 724 at 139 dpi (140: 729), the Help window's 5730 to 724 at 182 (183: 728); About fits as designed.
// The main window moved to a screen of 100 % and back takes the same scales.
TEST_F(SmallScreen, EveryWindowIsLaidOutAtTheLargestScaleAtWhichItFitsWhole) {
    const RECT work = WorkArea(Main().hwnd());
    ASSERT_TRUE(work.right == 1366 && work.bottom == 768 && ScreenDpi() == 192) << "not on a 1366 x 768 screen at 192 dpi";
    for (const auto& [w, scale] : {std::pair{kMain, 139}, {kAbout, 192}, {kHelp, 182}}) {
        Ref(w)->Show();
        ExpectLaidOut(Ref(w).get(), w.desc, scale);
    }
    for (int dpi : {96, 192}) {
        const RECT at = Window(Main().hwnd()).Rect();
        SendMessageW(Main().hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&at));
        ExpectLaidOut(Main(), ui::kForm1, dpi == 96 ? 96 : 139);
    }
}

// Each Windows' way of telling the density the main window is built at. Windows 7 has one
// density for every screen, the system's: here 144 dpi too.
TEST(At144Dpi, TheMainWindowHasItsClientAreaPlacesAndFontsOfThatDensityOnWindows10To7) {
    ASSERT_EQ(ScreenDpi(), 144) << "not run at 144 dpi";
    const std::pair<const char*, forms::DpiLookups (*)()> windows[] = {
        {"Windows 10", Windows10}, {"Windows 8.1", Windows81}, {"Windows 7", Windows7}};
    for (const auto& [name, lookups] : windows) {
        SCOPED_TRACE(name);
        forms::Program program(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3,
                               [](const calc::RuntimeError& e, HWND) { ADD_FAILURE() << "error " << e.number; });
        program.UseLookups(lookups());
        program.Form1()->Show();
        Pump();
        ExpectLaidOut(program.Form1().get(), ui::kForm1, 144);
    }
}

}  // namespace
}  // namespace tarvex_test
