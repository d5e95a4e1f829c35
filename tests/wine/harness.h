#pragma once
// The real program, in process, driven with the messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "design/layout.h"
#include "forms/canvas.h"
#include "forms/program.h"
#include "forms/window.h"
#include "ui/about_window.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

namespace tarvex_test {

using forms::Combo;
using forms::Window;
using namespace ui::form1;

// The three windows: the main window's button that opens each other one, and its own close button.
struct WindowCase {
    const char* name; forms::FormRef& (forms::Program::*ref)(); const forms::FormDesc& desc; int opener, closer;
};
inline const WindowCase kMain{"Main", &forms::Program::Form1, ui::kForm1, -1, Command1};
inline const WindowCase kAbout{"About", &forms::Program::Form2, ui::kForm2, Command2, ui::form2::Command201};
inline const WindowCase kHelp{"Help", &forms::Program::Form3, ui::kForm3, Command3, ui::form3::Command301};
inline const WindowCase kWindows[] = {kMain, kAbout, kHelp};
// Everything "Przelicz" writes, in the order it writes it: an error leaves a prefix written.
inline constexpr int kResults[] = {srdnicaakt, srednicanew, roznica, procentbl, Label21_1,
                                   Label22,    Label23,     Label24, Label25,   Label26};
inline void PrintTo(const WindowCase& w, std::ostream* out) { *out << w.name; }

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

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

inline int ScreenDpi() {
    const forms::ScopedDc screen(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

inline LOGFONTW FontOf(Window control) {
    LOGFONTW font{};
    GetObjectW(control.Font(), sizeof font, &font);
    return font;
}

// A canvas on a DC of its own: what GDI draws there, read back.
class Drawing {
public:
    Drawing(LONG width, LONG height) : canvas_(dc_.get(), width, height) {}
    HDC dc() const { return dc_.get(); }
    std::vector<std::uint32_t> Pixels() const { return {canvas_.Pixels().begin(), canvas_.Pixels().end()}; }
    COLORREF At(LONG x, LONG y) const {
        const std::uint32_t p = canvas_.Pixels()[static_cast<size_t>(y * canvas_.width() + x)];
        return RGB(p >> 16, p >> 8, p);
    }
    // The colours in a rectangle, but where other rectangles lie over it.
    std::set<COLORREF> Colours(RECT r, const std::vector<RECT>& over = {}) const {
        std::set<COLORREF> colours;
        for (LONG y = std::max(0L, r.top); y < std::min<LONG>(r.bottom, canvas_.height()); ++y)
            for (LONG x = std::max(0L, r.left); x < std::min<LONG>(r.right, canvas_.width()); ++x)
                if (std::ranges::none_of(over, [&](const RECT& o) { return PtInRect(&o, POINT{x, y}); }))
                    colours.insert(At(x, y));
        return colours;
    }

private:
    forms::ScopedDc dc_{CreateCompatibleDC(nullptr)};  // outlives the canvas selected in it
    forms::Canvas canvas_;
};

// The client area of a form as it is on the screen, brought to the front.
struct Shot : Drawing {
    explicit Shot(HWND form) : Drawing(Window(form).Client().right, Window(form).Client().bottom) {
        SetWindowPos(form, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        Pump();  // what the window itself invalidated gets painted; nothing more
        const HDC screen = GetDC(form);
        BitBlt(dc(), 0, 0, Window(form).Client().right, Window(form).Client().bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(form, screen);
    }
};

// Whether the window's background shows the artwork's known colours where it is plain: the band,
// darker at its foot, the sand, the car's paint. The artwork (700 x 501) spans the client area.
inline ::testing::AssertionResult PaintsTheArtwork(HWND form) {
    const RECT client = Window(form).Client();
    const Drawing painted(client.right, client.bottom);
    SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(painted.dc()), 0);
    const std::tuple<double, double, COLORREF, int> points[] = {
        {20, 2, RGB(48, 103, 177), 3}, {20, 30, RGB(38, 88, 155), 3}, {350, 100, RGB(241, 230, 201), 2},
        {20, 450, RGB(237, 224, 191), 2}, {576, 93, RGB(173, 35, 26), 12}};
    const double scale = client.right / 700.0;
    for (const auto& [px, py, colour, tolerance] : points) {
        const COLORREF drawn = painted.At(LONG((px + 0.5) * scale), LONG((py + 0.5) * scale));
        if (!Near(drawn, colour, tolerance))
            return ::testing::AssertionFailure() << px << "," << py << ": " << std::hex << drawn << " not " << colour;
    }
    return ::testing::AssertionSuccess();
}

// A window laid out at a density, whole on its screen's work area: the design's client area, every
// control where the layout puts it and in its font's em (both checked natively against hand-worked
// values), the artwork painted.
inline void ExpectLaidOut(const forms::Form& form, const forms::FormDesc& desc, int dpi) {
    const RECT client = Window(form.hwnd()).Client(), window = Window(form.hwnd()).Rect();
    MONITORINFO screen{sizeof screen, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(form.hwnd(), MONITOR_DEFAULTTONEAREST), &screen);
    RECT whole{};
    EXPECT_TRUE(IntersectRect(&whole, &window, &screen.rcWork) && EqualRect(&whole, &window)) << "off its work area";
    const forms::Size size = forms::ClientSize(desc, dpi);
    ASSERT_EQ((std::array<LONG, 2>{client.right, client.bottom}), (std::array<LONG, 2>{size.width, size.height})) << dpi;
    for (const forms::ControlDesc& c : desc.controls) {
        const RECT r = Window(form.control(c.id)).Place();
        const forms::Rect p = forms::PlaceOf(c, dpi);
        const bool combo = c.kind == forms::Kind::ComboBox;  // its height its font's, as the system sets it
        const LOGFONTW f = FontOf(form.control(c.id));
        EXPECT_EQ((std::array<LONG, 7>{r.left, r.top, r.right, combo ? 0 : r.bottom, f.lfHeight, f.lfWeight, f.lfCharSet}),
                  (std::array<LONG, 7>{p.left, p.top, p.right, combo ? 0 : p.bottom, -forms::EmHeight(c.font.points, dpi),
                                       c.font.weight, EASTEUROPE_CHARSET}))
            << "control " << c.id << " at " << dpi << " dpi";
    }
    EXPECT_TRUE(PaintsTheArtwork(form.hwnd())) << dpi << " dpi";
}

// What every control of a window holds: its text and, in a combo, the entry chosen.
inline std::vector<std::wstring> Contents(const forms::Form& form, const forms::FormDesc& desc) {
    std::vector<std::wstring> all;
    for (const forms::ControlDesc& c : desc.controls)
        all.push_back(form.Text(c.id) + L"|" + std::to_wstring(Combo(form.control(c.id)).Selection()));
    return all;
}

// The message boxes shown while `show` runs, as the user read them ("caption|text"), their owners
// and places. A timer, firing inside each box's own loop, presses its OK.
struct Box { std::wstring text; HWND owner; RECT place; };
inline std::vector<Box> boxesSeen;
inline std::vector<Box> BoxesShownBy(const std::function<void()>& show) {
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

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest()
        : program_(GetModuleHandleW(nullptr), ui::kForm1, ui::kForm2, ui::kForm3,
                   [this](const calc::RuntimeError& e, HWND) { errors_.push_back(e); }) {}

    void SetUp() override {
        program_.Form1()->Show();
        Pump();
    }

    forms::Form& Main() { return program_.Form1().get(); }
    forms::FormRef& Ref(const WindowCase& w) { return (program_.*w.ref)(); }
    Window Control(int id) { return Main().control(id); }
    std::wstring Text(int id) { return Main().Text(id); }
    void Click(int id) { Control(id).Click(); }

    void ChooseOther(int combo) { Combo(Control(combo)).Select(Combo(Control(combo)).Count() - 1); }
    // One size from the lists, as a user picks it: widthCombo is Combo1 or Combo4.
    void ChooseSize(int widthCombo, std::wstring_view width, std::wstring_view profile, std::wstring_view rim) {
        for (const auto& [combo, entry] : {std::pair{widthCombo, width}, {widthCombo + 1, profile}, {widthCombo + 2, rim}})
            ASSERT_TRUE(Combo(Control(combo)).Select(Combo(Control(combo)).Find(entry)));
    }
    // The pair worked by hand: 195/65 R15 against 205/55 R16.
    void ChooseReferencePair() {
        ChooseSize(Combo1, L"195", L"65", L"15");
        ChooseSize(Combo4, L"205", L"55", L"16");
    }
    // Into the box behind the last entry: short printable texts typed key by key, the rest pasted whole.
    void Enter(int combo, const std::wstring& text) {
        ChooseOther(combo);
        const Window box = Control(combo - Combo1 + Text1);
        const auto typeable = [](wchar_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); };
        if (text.size() <= 64 && std::ranges::all_of(text, typeable)) return Type(box, text);
        box.SetText(text);
        ASSERT_EQ(box.Text().size(), text.size()) << "the box took the text cut";
    }
    // Another test process on the display may hold the activation: brought forward until it holds.
    HWND FocusIn(HWND form) {
        for (int attempt = 0; attempt < 50 && GetActiveWindow() != form; ++attempt) {
            SetForegroundWindow(form);
            Pump();
            Sleep(10);
        }
        return GetFocus();
    }

    std::vector<calc::RuntimeError> errors_;  // what the program reported, in order
    forms::Program program_;
};

}  // namespace tarvex_test
