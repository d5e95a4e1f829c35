// How the windows come and go, how the program ends, and what the keyboard does.

#include <tuple>
#include <utility>

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// A secondary window: the main window's button that opens it and its own close button.
struct Secondary {
    const char* name;
    app::FormRef app::Program::*ref;
    const app::FormDesc* desc;
    int opener, closer;
};
const Secondary kHelp{"Help", &app::Program::Form3, &ui::kForm3, Command3, ui::form3::Command301};
const Secondary kAbout{"About", &app::Program::Form2, &ui::kForm2, Command2, ui::form2::Command201};

// True when a lies in front of b among the top-level windows.
bool InFront(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

class Lifetime : public ProgramTest {
protected:
    app::FormRef& Ref(const Secondary& w) { return program_.*w.ref; }
    app::Form& FormOf(const Secondary& w) { return *Ref(w).instance(); }
    Window Closer(const Secondary& w) { return FormOf(w).control(w.closer); }
    void PressClose(const Secondary& w) {
        Closer(w).Click();
        Pump();
    }
    HWND Open(const Secondary& w) {
        Click(w.opener);
        Pump();
        return Ref(w).exists() ? FormOf(w).hwnd() : nullptr;
    }
    // Another test process on the display may take the activation: bring the window forward until it holds.
    HWND FocusIn(HWND form) {
        for (int attempt = 0; attempt < 10 && GetActiveWindow() != form; ++attempt) {
            SetForegroundWindow(form);
            Pump();
        }
        return GetFocus();
    }
    // A key as the program's message loop hands it on: through the dialog manager first.
    void Press(HWND form, HWND to, WPARAM key) {
        for (MSG msg : {MSG{to, WM_KEYDOWN, key, 1, 0, {}}, MSG{to, WM_KEYUP, key, 0xC0000001, 0, {}}})
            if (!IsDialogMessageW(form, &msg)) DispatchMessageW(&msg);
        Pump();
    }
};

TEST_F(Lifetime, SecondaryWindowsOpenModelessAndComeBackRaisedReshownOrRebuilt) {
    HWND main = Main().hwnd();
    for (const Secondary& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        EXPECT_FALSE(Ref(w).exists());  // nothing but the main window at start
        HWND form = Open(w);
        ASSERT_TRUE(IsWindowVisible(form));  // built by the press
        SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();
        EXPECT_TRUE(InFront(main, form));
        EXPECT_EQ(Open(w), form);  // the same window, brought to the front
        EXPECT_TRUE(InFront(form, main));
        // Its close button hides it; the next press shows it where the user moved it.
        SetWindowPos(form, nullptr, 137, 211, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        PressClose(w);
        EXPECT_TRUE(IsWindow(form) && !IsWindowVisible(form));
        ASSERT_EQ(Open(w), form);
        const RECT r = Window(form).Rect();
        EXPECT_EQ(std::tuple(IsWindowVisible(form), r.left, r.top), std::tuple(TRUE, 137L, 211L));
        // The title-bar close destroys the window but not the instance; the next press builds it anew.
        app::Form* instance = Ref(w).instance();
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_FALSE(IsWindow(form) || instance->loaded() || program_.ended());
        ASSERT_TRUE(IsWindowVisible(Open(w)));
        EXPECT_EQ(Ref(w).instance(), instance);
        for (const app::ControlDesc& c : w.desc->controls) EXPECT_EQ(FormOf(w).Text(c.id), c.text);
    }
    // With both open the main window stays enabled and computes.
    Click(Przelicz);
    EXPECT_EQ(Text(srdnicaakt), L"385.8");
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowVisible(FormOf(kHelp).hwnd()) && IsWindowVisible(FormOf(kAbout).hwnd()));
    EXPECT_TRUE(errors_.empty());
}

enum class State { Shown, Hidden, Closed };
struct EndCase { const char* name; State help, about; bool zakoncz; };  // else the main window's close box
class ProgramEnd : public Lifetime, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ProgramEnd, LeavesNoWindow) {
    const EndCase& c = GetParam();
    std::vector<HWND> windows{Main().hwnd()};
    for (const auto& [w, state] : {std::pair{kHelp, c.help}, std::pair{kAbout, c.about}}) {
        windows.push_back(Open(w));
        if (state == State::Hidden) PressClose(w);
        if (state == State::Closed) SendMessageW(windows.back(), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (c.zakoncz) Click(Command1);
    if (!c.zakoncz) SendMessageW(Main().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program_.ended());
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(FormOf(kHelp).loaded() || FormOf(kAbout).loaded());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

INSTANTIATE_TEST_SUITE_P(WithHelpAndAbout, ProgramEnd,
                         ::testing::Values(EndCase{"HelpShownAboutHidden_CloseBox", State::Shown, State::Hidden, false},
                                           EndCase{"HelpHiddenAboutClosed_Zakoncz", State::Hidden, State::Closed, true},
                                           EndCase{"HelpClosedAboutShown_Zakoncz", State::Closed, State::Shown, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(Lifetime, SpaceOrEnterOnACloseButtonHidesItsWindowAndEscapeDoesNothing) {
    for (const Secondary& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        HWND form = Open(w), button = Closer(w).hwnd();
        // Enter before any Tab: moving the focus with Tab makes the button the default one.
        for (WPARAM key : {VK_RETURN, VK_SPACE}) {
            FocusIn(Main().hwnd());  // away, and back with the next press: the focus returns to the button
            EXPECT_EQ(FocusIn(Open(w)), button);
            Press(form, button, key);
            EXPECT_TRUE(IsWindow(form) && !IsWindowVisible(form)) << "key " << key;
        }
        Open(w);
        for (WPARAM key : {VK_ESCAPE, VK_TAB}) Press(form, FocusIn(form), key);
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_EQ(FocusIn(form), button);
    }
}

TEST_F(Lifetime, HelpCloseButtonIsDrawnAboveLabel4) {
    HWND form = Open(kHelp);
    const Window label = FormOf(kHelp).control(ui::form3::Label4);
    RECT box = label.Place(), place = Closer(kHelp).Place(), overlap{};
    ASSERT_TRUE(IntersectRect(&overlap, &place, &box));
    EXPECT_TRUE(GetWindowLongPtrW(label.hwnd(), GWL_STYLE) & WS_CLIPSIBLINGS);  // the label paints around the button
    const POINT middle{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(form, middle, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), Closer(kHelp).hwnd());
}

}  // namespace
}  // namespace tarvex_test
