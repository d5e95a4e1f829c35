// Failures outside click handlers and before the first window: each told once, after the
// message that failed, with its cause; a click within a click; names asked for too early.

#include <map>
#include <stdexcept>

#include "app/start.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// What was reported, over which window, and whether from inside the messages the test sent.
using Told = std::tuple<int, std::wstring, HWND, bool>;
std::vector<Told> told;
bool inside = false;
void Record(const calc::RuntimeError& e, HWND over) { told.emplace_back(e.number, e.description, over, inside); }

class Failures : public ::testing::Test {
protected:
    Failures() { told.clear(); names_.refusing = &inside; }  // the names fail while the test sends its messages
    RecordedNames names_;  // outlives the program, which takes its names back
    forms::Program program_{GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3, &Record};
};

// The main window with its picture missing: opened in high contrast, it has none yet.
const forms::FormDesc kBroken = [] { forms::FormDesc d = ui::kForm1; d.picture.car = 9999; return d; }();
UINT failing;  // the message the probe makes fail

// Each sent three times: told once, after the message, over its window; the program goes on.
TEST_F(Failures, APaintAColourOrAReadersQuestionThatFailsIsToldOnceAfterItsMessage) {
    program_.UseMessageProbe([](HWND, UINT message) { if (message == failing) throw std::runtime_error("sonda"); });
    program_.names().UseService(&names_);
    program_.UseHighContrastQuery([] { return true; });
    forms::Form form(program_, kBroken);
    form.Show();
    const HWND window = form.hwnd();
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    const WPARAM w = reinterpret_cast<WPARAM>(dc.get());
    const LPARAM label = reinterpret_cast<LPARAM>(form.control(Label1));
    // What a failed message gives back: painted, the system's colours, no object, erased.
    const struct { UINT message, probed; HWND to; LPARAM l; LRESULT result; int number; std::wstring text; } cases[] = {
        {WM_PAINT, WM_PAINT, window, 0, 0, 51, L"Nieoczekiwany błąd wewnętrzny: sonda"},
        {WM_CTLCOLORSTATIC, WM_CTLCOLORSTATIC, window, label, DefWindowProcW(window, WM_CTLCOLORSTATIC, w, label), 51,
         L"Nieoczekiwany błąd wewnętrzny: sonda"},
        {WM_GETOBJECT, 0, form.control(Text1), OBJID_CLIENT, 0, 51, L"Nieoczekiwany błąd wewnętrzny: brak czytnika"},
        {WM_ERASEBKGND, 0, window, 0, TRUE, 5, L"Nie udało się wczytać obrazu tła (kod systemu 1814)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        if (c.message == WM_ERASEBKGND) program_.UseHighContrastQuery([] { return false; });  // the picture is wanted now
        told.clear();
        failing = c.probed;
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE);
        inside = true;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(c.to, c.message, w, c.l), c.result);
        inside = false;
        // A failed paint leaves nothing to paint, or it would fail again and again.
        ASSERT_NE(GetUpdateRect(window, nullptr, FALSE), c.message == WM_PAINT || c.message == WM_ERASEBKGND);
        Pump();
        failing = 0;
        EXPECT_EQ(told, (std::vector<Told>{{c.number, c.text, window, false}}));
        EXPECT_TRUE(!program_.ended() && IsWindowVisible(window));
    }
}

// Two labels apart; the first button writes one and clicks the second, which writes the other.
constexpr forms::ControlDesc kNested[] = {
    forms::Label(0, {0, 0, 900, 300}, L"a"), forms::Label(1, {1800, 1200, 900, 300}, L"b"),
    forms::Button(2, {0, 2400, 900, 375}, L"c", [](forms::Controls& f) {
        f.SetText(0, L"przed");
        Window(static_cast<forms::Form&>(f).control(3)).Click();
    }),
    forms::Button(3, {1800, 2400, 900, 375}, L"d", [](forms::Controls& f) { f.SetText(1, L"wewnątrz"); })};
constexpr int kNestedOrder[] = {2, 3};

TEST_F(Failures, AClickWithinAClickRunsBothAndRepaintsTheirLabelsInOneRequest) {
    const forms::FormDesc desc{L"nested", 3000, 3000, ui::kForm2.picture, forms::Pointer::System, kNested, kNestedOrder,
                               false};
    forms::Form form(program_, desc);
    form.Show();
    ValidateRect(form.hwnd(), nullptr);
    Window(form.control(2)).Click();
    EXPECT_EQ(form.Text(0) + L"|" + form.Text(1), L"przed|wewnątrz");
    RECT around;  // what is left to paint: the rectangle around both labels
    const RECT a = Window(form.control(0)).Place(), b = Window(form.control(1)).Place();
    UnionRect(&around, &a, &b);
    using ScopedRegion = forms::Scoped<HRGN, forms::DeleteGdiObject>;
    const ScopedRegion wanted(CreateRectRgnIndirect(&around)), left(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(form.hwnd(), left.get(), FALSE);
    EXPECT_TRUE(EqualRgn(wanted.get(), left.get()));
    EXPECT_TRUE(told.empty() && !program_.ended());
}

// A reader asks the main window as it is made, before any control exists.
TEST_F(Failures, ANameAskedForWhileTheWindowIsBuiltReachesEveryControlThatHasOne) {
    program_.names().UseService(&names_);
    program_.UseMessageProbe([](HWND form, UINT message) {
        if (message == WM_CREATE) SendMessageW(form, WM_GETOBJECT, 0, OBJID_CLIENT);
    });
    program_.Form1()->Show();
    const forms::Form& form = program_.Form1().get();
    std::map<HWND, std::wstring> expected;  // six "inna" boxes and six actual speeds
    for (const forms::ControlDesc& c : ui::kForm1.controls)
        if (!c.spokenName.empty()) expected[form.control(c.id)] = c.spokenName;
    EXPECT_EQ(names_.given, expected);
}

// Before the first window: the window class taken already, the main window's picture missing, or
// an icon image (from test_resources.rc) where its top-down 32-bit bitmap should be.
TEST(Start, AFailureBeforeTheFirstWindowIsToldWithItsCauseAndTheExitCodeIsNotZero) {
    const HINSTANCE self = GetModuleHandleW(nullptr);
    const WNDCLASSEXW taken{sizeof taken, 0, DefWindowProcW, 0, 0, self, {}, {}, {}, {}, forms::Form::kWindowClass, {}};
    const std::pair<int, std::wstring> cases[] = {{0, L"zarejestrować klasy okna (kod systemu 1410)"},
                                                  {9999, L"wczytać obrazu tła (kod systemu 1814)"},
                                                  {9001, L"wczytać obrazu tła (kod systemu 13)"}};
    for (const auto& [car, cause] : cases) {
        told.clear();
        forms::FormDesc main = ui::kForm1;
        main.picture.car = car ? car : main.picture.car;
        ASSERT_TRUE(car || RegisterClassExW(&taken));
        EXPECT_EQ(app::RunProgram(self, main, ui::kForm2, ui::kForm3, &Record), 1);
        if (!car) UnregisterClassW(forms::Form::kWindowClass, self);
        EXPECT_EQ(told, (std::vector<Told>{{5, L"Nie udało się " + cause, nullptr, false}}));
    }
}

}  // namespace
}  // namespace tarvex_test
