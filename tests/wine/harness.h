#pragma once
// The real program, in process, driven with the messages a user's mouse and keyboard produce.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "design/layout.h"
#include "forms/canvas.h"
#include "forms/program.h"
#include "forms/window.h"
#include "resource_ids.h"
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
inline constexpr int kCombos[] = {Combo1, Combo2, Combo3, Combo4, Combo5, Combo6};  // current size, then new
inline void PrintTo(const WindowCase& w, std::ostream* out) { *out << w.name; }

// Handles whatever is waiting in this thread's queue (paints, activation, WM_QUIT).
inline void Pump() {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); DispatchMessageW(&msg)) TranslateMessage(&msg);
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

// The work area of the screen a window is on, and whether a rectangle lies whole inside another.
inline RECT WorkArea(HWND window) {
    MONITORINFO screen{sizeof screen, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &screen);
    return screen.rcWork;
}
inline bool Inside(RECT in, RECT out) {
    return in.left >= out.left && in.top >= out.top && in.right <= out.right && in.bottom <= out.bottom;
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

// A window laid out at a density, whole on its screen's work area: the design's client area, every
// control where the layout puts it and in its font's em (both checked natively against hand-worked
// values), and the artwork (700 x 501) across the client area, its known colours where it is plain:
// the band, darker at its foot, the sand, the car's paint.
inline void ExpectLaidOut(const forms::Form& form, const forms::FormDesc& desc, int dpi) {
    const RECT client = Window(form.hwnd()).Client();
    EXPECT_TRUE(Inside(Window(form.hwnd()).Rect(), WorkArea(form.hwnd()))) << "off its work area";
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
    const Drawing painted(client.right, client.bottom);
    SendMessageW(form.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(painted.dc()), 0);
    const std::tuple<double, double, COLORREF, int> points[] = {
        {20, 2, RGB(48, 103, 177), 3}, {20, 30, RGB(38, 88, 155), 3}, {350, 100, RGB(241, 230, 201), 2},
        {20, 450, RGB(237, 224, 191), 2}, {576, 93, RGB(173, 35, 26), 12}};
    const double scale = client.right / 700.0;
    for (const auto& [px, py, colour, tolerance] : points) {
        const COLORREF drawn = painted.At(LONG((px + 0.5) * scale), LONG((py + 0.5) * scale));
        EXPECT_TRUE(Near(drawn, colour, tolerance))
            << px << "," << py << " at " << dpi << " dpi: " << std::hex << drawn << " not " << colour;
    }
}

// What every control of a window holds: its text and, in a combo, the entry chosen.
inline std::vector<std::wstring> Contents(const forms::Form& form, const forms::FormDesc& desc) {
    std::vector<std::wstring> all;
    for (const forms::ControlDesc& c : desc.controls)
        all.push_back(form.Text(c.id) + L"|" + std::to_wstring(Combo(form.control(c.id)).Selection()));
    return all;
}

// The pointer a form shows over itself or a child; null when it leaves the child its own.
inline HCURSOR PointerOver(HWND form, HWND target) {
    SetCursor(nullptr);
    const bool handled = SendMessageW(form, WM_SETCURSOR, WPARAM(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return handled || target == form ? GetCursor() : nullptr;  // over itself: its class arrow
}

// What a user sees of a pointer: its size (-1 if not monochrome), its hot spot and its image.
using Look = std::tuple<LONG, DWORD, DWORD, std::vector<char>>;
inline Look LookOf(HCURSOR cursor) {
    ICONINFO info{};
    if (!cursor || !GetIconInfo(cursor, &info)) return {};
    const forms::ScopedBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP b{};
    GetObjectW(mask.get(), sizeof b, &b);
    std::vector<char> bits(size_t(b.bmWidthBytes * b.bmHeight));
    GetBitmapBits(mask.get(), LONG(bits.size()), bits.data());
    return {colour ? -1 : b.bmWidth, info.xHotspot, info.yHotspot, bits};
}

// The program's own pointer at a density: 32, 48 or 64 pixels, the largest not above 32 at 96 dpi scaled,
// the I-beam's hot spot mid-stem, the others' at the tip, the image of that size in its resource.
inline Look Expected(forms::Pointer p, int dpi) {
    if (p == forms::Pointer::System) return LookOf(LoadCursorW(nullptr, IDC_ARROW));
    const int size = std::map<int, int>{{96, 32}, {120, 32}, {144, 48}, {168, 48}, {192, 64}}.at(dpi);
    const std::map<int, POINT> ibeam{{32, {15, 16}}, {48, {22, 24}}, {64, {30, 32}}};
    const auto [x, y] = p == forms::Pointer::IBeam ? ibeam.at(size) : POINT{};
    const auto id = MAKEINTRESOURCEW(IDC_TARVEX_ARROW + int(p) - 1);  // arrow, I-beam, busy
    const forms::ScopedCursor image(HCURSOR(LoadImageW(GetModuleHandleW(nullptr), id, IMAGE_CURSOR, size, size, 0)));
    return {size, DWORD(x), DWORD(y), std::get<3>(LookOf(image.get()))};
}

// Records the names given and taken back, standing in for the system's service, which Wine 8 keeps
// none in; refuses them while *refusing holds.
struct RecordedNames : forms::NameService {
    std::map<HWND, std::wstring> given, takenBack;
    const bool* refusing = nullptr;
    void Name(HWND h, std::wstring_view name) override {
        if (refusing && *refusing) throw std::runtime_error("brak czytnika");
        given[h] = name;
    }
    void Unname(HWND h) override { takenBack[h] = given[h]; }
};

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

    // Into the box behind the last entry: short printable texts typed key by key, the rest pasted whole.
    void Enter(int combo, const std::wstring& text) {
        Combo(Control(combo)).Select(Combo(Control(combo)).Count() - 1);
        const Window box = Control(combo - Combo1 + Text1);
        const auto typeable = [](wchar_t c) { return c >= 0x20 && c != 0x7F && (c < 0xD800 || c > 0xDFFF); };
        if (text.size() <= 64 && std::ranges::all_of(text, typeable)) return Type(box, text);
        box.SetText(text);
        ASSERT_EQ(box.Text().size(), text.size()) << "the box took the text cut";
    }
    // Sizes from Combo1 on, as a user gives them: each chosen from its list where it has it, else entered.
    void Choose(const std::vector<std::wstring>& sizes) {
        for (size_t n = 0; n < sizes.size(); ++n) {
            const Combo combo = Control(kCombos[n]);
            const int entry = combo.Find(sizes[n]);
            if (entry >= 0) ASSERT_TRUE(combo.Select(entry));
            else Enter(kCombos[n], sizes[n]);
        }
    }
    // The pair worked by hand: 195/65 R15 against 205/55 R16.
    void ChooseReferencePair() { Choose({L"195", L"65", L"15", L"205", L"55", L"16"}); }
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
