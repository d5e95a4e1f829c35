// The main window moved to screens of other densities with the rectangles Windows suggests,
// and laid out at 144 dpi by the density functions of Windows 10, 8.1 and 7.

#include <array>
#include <functional>
#include <numeric>
#include <vector>

#include "forms/canvas.h"
#include "forms/platform.h"
#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// What each Windows gives a program. Where the window's or its monitor's density is known,
// the system's is told to be another screen's, 96 dpi: the window's own must win.
forms::DpiLookups Windows10() { forms::DpiLookups l = forms::SystemDpiLookups(); l.system = [] { return 96; }; return l; }
forms::DpiLookups Windows81() {
    static const forms::ScopedModule shcore(LoadLibraryW(L"shcore.dll"));
    const auto forMonitor = forms::Procedure<decltype(forms::DpiLookups::forMonitor)>(shcore.get(), "GetDpiForMonitor");
    return {nullptr, forMonitor, [] { return 96; }};
}
forms::DpiLookups Windows7() { return {nullptr, nullptr, forms::SystemDpiLookups().system}; }

// The main window at a density, worked out by hand from its twips: client area, Combo1
// (240, 2280, 1095 wide), Command1 (9000, 6960, 1335 x 375), the em of 8.25 points.
struct At { int dpi; std::array<LONG, 2> client; std::array<LONG, 3> combo1; std::array<LONG, 4> command1; LONG em; };
constexpr At k120{120, {874, 625}, {20, 190, 91}, {750, 580, 111, 31}, 13};
constexpr At k144{144, {1049, 750}, {24, 228, 110}, {900, 696, 134, 38}, 16};
constexpr At k192{192, {1398, 1000}, {32, 304, 146}, {1200, 928, 178, 50}, 22};

void ExpectLaidOut(forms::Form& form, const At& at) {
    const RECT client = Window(form.hwnd()).Client();
    EXPECT_EQ((std::array{client.right, client.bottom}), at.client);
    const RECT combo = Window(form.control(Combo1)).Place(), button = Window(form.control(Command1)).Place();
    EXPECT_EQ((std::array{combo.left, combo.top, combo.right - combo.left}), at.combo1);
    EXPECT_EQ((std::array{button.left, button.top, button.right - button.left, button.bottom - button.top}), at.command1);
    for (int id : {Combo1, Przelicz}) {
        LOGFONTW font{};
        GetObjectW(Window(form.control(id)).Font(), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -at.em) << "control " << id;
    }
    EXPECT_TRUE(PaintsTheArtwork(form.hwnd()));
}

// The client area's pixels as the screen shows them.
std::vector<DWORD> Shown(HWND form) {
    const RECT c = Window(form).Client();
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    const forms::Canvas canvas(dc.get(), c.right, c.bottom);
    const HDC window = GetDC(form);
    BitBlt(dc.get(), 0, 0, c.right, c.bottom, window, 0, 0, SRCCOPY);
    ReleaseDC(form, window);
    const auto pixels = canvas.Pixels();
    return {pixels.begin(), pixels.end()};
}

using DensityChange = ProgramTest;

// Every Windows suggests the whole window scaled, frame included. 10 (1703) and later then
// draw the frame scaled too, as AdjustWindowRectExForDpi tells; 8.1 to 10 (1607) keep it at
// the system's density, as Wine always does.
TEST_F(DensityChange, GivesTheDesignsClientAreaWhereSuggestedOnTheWorkAreaPaintedAnewWithItsContents) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo4);
    Control(Text4).SetText(L"205");
    Type(Combo(Control(Combo5)).Field(), L"55");
    Click(Przelicz);
    const auto contents = [&] {
        std::vector<std::wstring> all;
        for (const forms::ControlDesc& c : ui::kForm1.controls)
            all.push_back(Text(c.id) + L"|" + std::to_wstring(Combo(Control(c.id)).Selection()));
        return all;
    };
    const std::vector<std::wstring> before = contents();
    ASSERT_NE(Text(srdnicaakt), L"0");
    RECT work{};  // the only screen's
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const struct { const char* what; forms::DpiLookups (*windows)(); const At& at; POINT suggested; bool bottomRight;
                   std::array<LONG, 2> corner; } steps[] = {
        {"Windows 10, frame told scaled", Windows10, k144, {100, 60}, false, {100, 60}},
        {"Windows 8.1, frame the system's", Windows81, k192, {40, 30}, false, {40, 30}},
        {"Windows 10, past the bottom right", Windows10, k120, {work.right - 300, work.bottom - 100}, true,
         {work.right, work.bottom}},
        {"Windows 8.1, past the top left", Windows81, k144, {work.left - 3000, work.top - 2000}, false, {work.left, work.top}},
    };
    const HWND form = Main().hwnd();
    int dpi = 96;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << dpi << " to " << step.at.dpi << " dpi, " << step.what);
        program_.UseLookups(step.windows());
        const RECT old = Window(form).Rect();
        const POINT at = step.suggested;
        const RECT suggested{at.x, at.y, at.x + MulDiv(old.right - old.left, step.at.dpi, dpi),
                             at.y + MulDiv(old.bottom - old.top, step.at.dpi, dpi)};
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(step.at.dpi, step.at.dpi), reinterpret_cast<LPARAM>(&suggested));
        dpi = step.at.dpi;
        Pump();
        ExpectLaidOut(Main(), step.at);
        const RECT taken = Window(form).Rect();
        EXPECT_EQ((step.bottomRight ? std::array{taken.right, taken.bottom} : std::array{taken.left, taken.top}), step.corner);
        EXPECT_EQ(contents(), before);
        // On the screen what painting it all anew gives: nothing of the old layout, no control half drawn.
        const std::vector<DWORD> shown = Shown(form);
        RedrawWindow(form, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const std::vector<DWORD> repainted = Shown(form);
        EXPECT_EQ(std::inner_product(shown.begin(), shown.end(), repainted.begin(), 0, std::plus<>(), std::not_equal_to<>()), 0)
            << "pixels stale";
    }
    EXPECT_TRUE(errors_.empty());
}

using Windows = std::pair<const char*, forms::DpiLookups (*)()>;
class At144Dpi : public ProgramTest, public ::testing::WithParamInterface<Windows> {
    void SetUp() override {
        program_.UseLookups(GetParam().second());
        ProgramTest::SetUp();
    }
};

// Windows 7 has one density for every screen, the system's: here 144 dpi too.
TEST_P(At144Dpi, TheMainWindowHasItsClientAreaPlacesAndFontsOfThatDensity) {
    const forms::ScopedDc screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), 144) << "not run at 144 dpi";
    ExpectLaidOut(Main(), k144);
}

INSTANTIATE_TEST_SUITE_P(Windows, At144Dpi,
                         ::testing::Values(Windows{"Windows10", Windows10}, Windows{"Windows81", Windows81},
                                           Windows{"Windows7", Windows7}),
                         [](const auto& param) { return std::string(param.param.first); });

}  // namespace
}  // namespace tarvex_test
