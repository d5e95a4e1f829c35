// How the windows come and go, what the keyboard does, how an error in a click reaches the
// user and how the program ends, in process.

#include <functional>
#include <stdexcept>

#include "app/error_box.h"
#include "harness.h"

namespace tarvex_test {
namespace {

// True when a lies in front of b among the top-level windows.
bool InFront(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

// The message boxes shown while `show` runs, as the user read them ("caption|text"), their owners
// and places. A timer, firing inside each box's own loop, presses its OK.
struct Box { std::wstring text; HWND owner; RECT place; };
std::vector<Box> boxesSeen;
std::vector<Box> BoxesShownBy(const std::function<void()>& show) {
    boxesSeen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND box, LPARAM) -> BOOL {
            wchar_t cls[16] = {};
            if (!GetClassNameW(box, cls, 16) || std::wstring_view(cls) != L"#32770" || !IsWindowVisible(box)) return TRUE;
            boxesSeen.push_back({Window(box).Text() + L"|" + Window(box).Child(0xFFFF).Text(), GetWindow(box, GW_OWNER),
                                 Window(box).Rect()});
            return !PostMessageW(box, WM_COMMAND, IDOK, 0);
        }, 0);
    });
    show();
    KillTimer(nullptr, timer);
    return boxesSeen;
}

class Lifetime : public ProgramTest {
protected:
    Window Closer(const WindowCase& w) { return Ref(w)->control(w.closer); }
    HWND Open(const WindowCase& w) {
        Click(w.opener);
        Pump();
        return Ref(w).exists() ? Ref(w)->hwnd() : nullptr;
    }
};

TEST_F(Lifetime, SecondaryWindowsOpenModelessComeBackRaisedReshownOrRebuiltAndGoWithTheProgram) {
    HWND main = Main().hwnd();
    for (const WindowCase& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        EXPECT_FALSE(Ref(w).exists());  // nothing but the main window at start
        HWND form = Open(w), button = Closer(w).hwnd();
        ASSERT_TRUE(IsWindowVisible(form));  // built by the press
        SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();
        EXPECT_TRUE(InFront(main, form));
        EXPECT_EQ(Open(w), form);  // the same window, brought to the front
        EXPECT_TRUE(InFront(form, main));
        // Its close button hides it, clicked or by Enter or Space before any Tab (Tab makes it the
        // default button), not by Escape; each press brings it back where the user moved it, focus on
        // the button, which Tab keeps as the only stop.
        SetWindowPos(form, nullptr, 137, 211, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        for (WPARAM key : {WPARAM{0}, WPARAM{VK_RETURN}, WPARAM{VK_SPACE}, WPARAM{VK_ESCAPE}, WPARAM{VK_TAB}}) {
            FocusIn(main);
            EXPECT_EQ(FocusIn(Open(w)), button);
            const RECT r = Window(form).Rect();
            EXPECT_EQ(std::pair(r.left, r.top), std::pair(137L, 211L));
            // A key as the program's message loop hands it on: through the dialog manager first.
            for (MSG msg : {MSG{button, WM_KEYDOWN, key, 1, 0, {}}, MSG{button, WM_KEYUP, key, 0xC0000001, 0, {}}})
                if (key && !IsDialogMessageW(form, &msg)) DispatchMessageW(&msg);
            if (!key) Closer(w).Click();
            Pump();
            EXPECT_EQ(IsWindowVisible(form), key == VK_ESCAPE || key == VK_TAB) << "key " << key;
        }
        EXPECT_EQ(FocusIn(form), button);
        // The title-bar close destroys the window but not the instance; the next press builds it anew.
        forms::Form* instance = Ref(w).instance();
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_FALSE(IsWindow(form) || instance->loaded() || program_.ended());
        ASSERT_TRUE(IsWindowVisible(form = Open(w)));
        EXPECT_EQ(Ref(w).instance(), instance);
        for (const forms::ControlDesc& c : w.desc.controls) {
            EXPECT_EQ(instance->Text(c.id), c.text);
            // Where a label reaches under the close button, the button is drawn and clicked above it.
            const Window label = instance->control(c.id);
            RECT box = label.Place(), place = Closer(w).Place(), overlap{};
            if (c.kind != forms::Kind::Label || !IntersectRect(&overlap, &place, &box)) continue;
            EXPECT_TRUE(GetWindowLongPtrW(label.hwnd(), GWL_STYLE) & WS_CLIPSIBLINGS);  // it paints around the button
            const POINT middle{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
            EXPECT_EQ(ChildWindowFromPointEx(form, middle, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), Closer(w).hwnd());
        }
    }
    Click(Przelicz);  // with both open the main window stays enabled and computes
    EXPECT_EQ(Text(srdnicaakt), L"385.8");
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowVisible(Ref(kHelp)->hwnd()) && IsWindowVisible(Ref(kAbout)->hwnd()));
    EXPECT_TRUE(errors_.empty());
    // "Zakończ" with Help hidden and About closed leaves no window and ends the message loop.
    const HWND windows[] = {main, Ref(kHelp)->hwnd(), Ref(kAbout)->hwnd()};
    Closer(kHelp).Click();
    SendMessageW(windows[2], WM_SYSCOMMAND, SC_CLOSE, 0);
    Click(Command1);
    EXPECT_TRUE(program_.ended());
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(Ref(kHelp)->loaded() || Ref(kAbout)->loaded());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(ErrorReport, IsAMessageBoxCaptionedTarvexOverTheWindowWholeOnTheScreenAndTheProgramGoesOn) {
    forms::Program program(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3, &app::ShowErrorBox);
    program.Form1()->Show();
    forms::Form& form = program.Form1().get();
    Combo(form.control(Combo4)).Select(10);  // "inna"
    Window(form.control(Text4)).SetText(L"40000");
    const RECT work = WorkArea(form.hwnd()), main = Window(form.hwnd()).Rect();
    const LONG width = main.right - main.left, height = main.bottom - main.top;
    // The main window in the far corner of a large screen, then half off its other corner.
    const POINT corners[] = {{work.right - width, work.bottom - height}, {work.left - width / 2, work.top - height / 2}};
    for (const POINT at : corners) {
        SetWindowPos(form.hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const std::vector<Box> boxes = BoxesShownBy([&] { Window(form.control(Przelicz)).Click(); });
        // One box, owned by the main window, whole on the screen: centred on the window where that is.
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Tarvex|Błąd wykonania nr 6:\n\nPrzepełnienie\n\nPole: Szerokość nowej opony\n"
                                 L"Wpisano: „40000”\nDozwolone są liczby całkowite od 0 do 999.");
        EXPECT_EQ(boxes[0].owner, form.hwnd());
        const RECT box = boxes[0].place;
        EXPECT_TRUE(Inside(box, work)) << box.left << "," << box.top << " " << box.right << "," << box.bottom;
        if (at.x > work.left) {
            EXPECT_NEAR((box.left + box.right) / 2, at.x + width / 2, 2);
            EXPECT_NEAR((box.top + box.bottom) / 2, at.y + height / 2, 2);
        }
        EXPECT_TRUE(!program.ended() && IsWindowVisible(form.hwnd()));
    }
    // What the box's placing hook throws is told in a box of its own, after the report.
    const std::vector<Box> boxes = BoxesShownBy([&] {
        app::ShowErrorBoxPlacedBy(calc::Overflow(), form.hwnd(),
                                  [](HWND, HWND) { throw std::runtime_error("poza ekranem"); });
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Tarvex|Błąd wykonania nr 6:\n\nPrzepełnienie");
    EXPECT_EQ(boxes[1].text, L"Tarvex|Błąd wykonania nr 51:\n\nNieoczekiwany błąd wewnętrzny: poza ekranem");
}

}  // namespace
}  // namespace tarvex_test
