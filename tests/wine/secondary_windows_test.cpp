// The Help and About windows: how they come and go, what they show, and their keyboard.

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "app/picture.h"
#include "harness.h"
#include "resource_ids.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// One secondary window: the main window's button that opens it and its own close button.
struct Secondary {
    const char* name;
    app::FormRef app::Program::*ref;
    int opener;
    int closer;
};
const Secondary kHelp{"Help", &app::Program::Form3, Command3, ui::form3::Command301};
const Secondary kAbout{"About", &app::Program::Form2, Command2, ui::form2::Command201};
const Secondary kBoth[] = {kHelp, kAbout};

constexpr int kTitle = -16;  // 12 pt at 96 dpi
constexpr int kField = -13;  // 9.75 pt
constexpr int kSmall = -11;  // 8.25 pt

// What the user should find in a window, written out here rather than read from its table.
struct Row {
    const wchar_t* name;
    int element;
    int left, top, width, height;  // twips
    std::wstring_view text;
    int fontHeight;
    bool bold;
    bool darkRed;
};

const std::wstring_view kTitleText = L"Tarvex zamienników opon samochodowych";

const std::wstring_view kPurpose =
    L"Program pomaga dobrać właściwy rozmiar ogumienia do samochodu tak aby zachować średnice koła jak "
    L"najbardziej zbliżoną do fabrycznego rozmiaru kół w samochodzie. W przypadku gdy idealne dobranie "
    L"rozmiaru nowych opon jest niemożliwe program pokazuje błąd jaki bedzie wskazywał prędkościmierz przy "
    L"używaniu opon w podanym rozmiarze. ";

const std::wstring_view kUsageLines[] = {
    L"1. Wybierz rozmiar opon jaki aktualnie używasz lub rozmiar jaki fabrycznie jest stosowany w      ",
    L"     twoim samochodzie",
    L"2. Wybierz rozmiar opon, ktore chcesz założyć do samochodu",
    L"3. Nacisnij przycisk \"Przelicz\" ",
    L"4. Po prawej stonie okna w sekcji INFO otrzymasz informacje na temat średnicy obydwu kół,   ",
    L"    ewentualną rożnice w średnicy kół, procent błedu pokazywany przed prędkościomierz oraz ",
    L"    tabelę pokazującą  błąd prędkościmierza w km/h   ",
};

std::wstring Usage() {
    std::wstring text;
    for (std::wstring_view line : kUsageLines) text.append(line).append(L"\r\n");
    return text;
}
const std::wstring kUsage = Usage();

const Row kHelpRows[] = {
    {L"Label1", 1, 360, 720, 3615, 615, kTitleText, kTitle, true, false},
    {L"Label2", -1, 360, 1560, 2055, 375, L"O co chodzi ?", kSmall, true, false},
    {L"Label3", -1, 360, 1920, 7215, 1335, kPurpose, kSmall, false, false},
    {L"Label1", 0, 360, 3000, 2655, 375, L"Jak korzystać z programu ?", kSmall, true, false},
    {L"Label4", -1, 360, 3360, 7815, 1935, kUsage, kSmall, false, false},
    {L"Command301", -1, 6480, 5040, 1455, 375, L"Zamknij ", kSmall, false, false},
};

const Row kAboutRows[] = {
    {L"Label1", -1, 120, 600, 3615, 615, kTitleText, kTitle, true, false},
    {L"Label2", -1, 360, 1440, 1095, 255, L"Wersja: ", kField, true, false},
    {L"Label5", -1, 1320, 1440, 495, 255, L"1.2", kField, true, true},
    {L"Label6", -1, 360, 1920, 855, 255, L"Status: ", kField, true, false},
    {L"Label10", -1, 1320, 1920, 1095, 255, L"Freeware", kField, true, true},
    {L"Label3", -1, 360, 2400, 615, 255, L"Autor: ", kField, true, false},
    {L"Label7", -1, 1320, 2400, 2295, 255, L"ZELT", kField, true, true},
    {L"Label4", -1, 360, 2880, 1095, 255, L"Kontakt: ", kField, true, false},
    {L"Label8", -1, 1320, 2880, 1815, 255, L"zelt@example.com", kField, true, true},
    {L"Label9", -1, 1320, 3240, 2295, 255, L"www.example.com", kField, true, true},
    {L"Command201", -1, 4320, 3240, 1095, 375, L"Zamknij", kSmall, false, false},
};

struct Look {
    Secondary window;
    const wchar_t* caption;
    int clientWidth, clientHeight;  // pixels
    int picture, pictureWidth, pictureHeight;
    std::span<const Row> rows;
};
const Look kLooks[] = {
    {kHelp, L"Pomoc ", 550, 382, IDP_HELP, 550, 394, kHelpRows},
    {kAbout, L"O programie ...", 380, 259, IDP_ABOUT, 380, 273, kAboutRows},
};

std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// True when a lies in front of b among the top-level windows.
bool InFront(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

std::vector<HWND> Children(HWND form) {  // front to back
    std::vector<HWND> children;
    for (HWND w = GetWindow(form, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) children.push_back(w);
    return children;
}

BOOL CALLBACK CollectForm(HWND hwnd, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (std::wstring_view(cls) == app::Form::kWindowClass) reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
    return TRUE;
}

// Every form window of this thread, visible or not.
std::vector<HWND> FormWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectForm, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::wstring> Lines(std::wstring_view text) {
    std::vector<std::wstring> lines;
    for (size_t at = 0;;) {
        const size_t end = text.find(L"\r\n", at);
        lines.emplace_back(text.substr(at, end == std::wstring_view::npos ? std::wstring_view::npos : end - at));
        if (end == std::wstring_view::npos) return lines;
        at = end + 2;
    }
}

// A control's own font selected into a screen DC, for measuring what it draws.
class Measure {
public:
    explicit Measure(HWND control) : control_(control), dc_(GetDC(control)) {
        old_ = SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc_, &metrics_);
    }
    ~Measure() {
        SelectObject(dc_, old_);
        ReleaseDC(control_, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int Width(std::wstring_view text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // The text as a left-aligned, word-wrapping label lays it out within this width.
    SIZE Wrapped(std::wstring_view text, int width) const {
        RECT r{0, 0, width, 0};
        DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &r,
                  DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        return {r.right, r.bottom};
    }
    int LineHeight() const { return metrics_.tmHeight; }
    bool HasGlyph(wchar_t c) const {
        WORD glyph = 0;
        return GetGlyphIndicesW(dc_, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
    }

private:
    HWND control_;
    HDC dc_;
    HGDIOBJ old_;
    TEXTMETRICW metrics_{};
};

class SecondaryWindows : public ProgramTest {
protected:
    app::FormRef& Ref(const Secondary& w) { return program_.*w.ref; }
    app::Form& FormOf(const Secondary& w) { return *Ref(w).instance(); }
    HWND Open(const Secondary& w) {
        Click(w.opener);
        Pump();
        return Ref(w).exists() ? FormOf(w).hwnd() : nullptr;
    }
    void PressClose(const Secondary& w) {
        Click(FormOf(w), w.closer);
        Pump();
    }
    HWND Closer(const Secondary& w) { return FormOf(w).control(w.closer); }
    HWND ControlOf(const Secondary& w, const Row& row) {
        const auto& controls = FormOf(w).desc().controls;
        const auto it = std::find_if(controls.begin(), controls.end(), [&](const app::ControlDesc& c) {
            return c.name == row.name && c.element == row.element;
        });
        return it == controls.end() ? nullptr : FormOf(w).control(it->id);
    }
    RECT WindowRect(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }
    std::vector<std::wstring> Texts(const Secondary& w) {
        std::vector<std::wstring> texts;
        for (HWND child : Children(FormOf(w).hwnd())) texts.push_back(WindowText(child));
        return texts;
    }
    // The user brings the window forward. Other test processes share the display: one that
    // closes its windows hands the activation to whichever window lies next, perhaps one
    // of ours, so the activation is repeated until it holds.
    void Activate(HWND form) {
        for (int attempt = 0; attempt < 10 && GetActiveWindow() != form; ++attempt) {
            SetForegroundWindow(form);
            Pump();
        }
    }
    // The control that has the keyboard focus while the user works in this window.
    HWND FocusIn(HWND form) {
        Activate(form);
        return GetFocus();
    }
    // A key as the program's message loop hands it on: through the dialog manager first.
    void Key(HWND form, UINT message, WPARAM key) {
        Activate(form);
        MSG msg{GetFocus(), message, key, message == WM_KEYUP ? 0xC0000001 : 1, 0, {}};
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (!(root && program_.IsFormWindow(root) && IsDialogMessageW(root, &msg))) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Pump();
    }
    void Press(HWND form, WPARAM key) {
        Key(form, WM_KEYDOWN, key);
        Key(form, WM_KEYUP, key);
    }

};

#define TRACE_WINDOW(w) SCOPED_TRACE((w).name)

// ---- Lifetime ----

TEST_F(SecondaryWindows, FirstPressCreatesItModelessWithoutAnOwnerOrTaskbarButton) {
    HWND main = Main().hwnd();
    for (const Secondary& w : kBoth) {
        TRACE_WINDOW(w);
        EXPECT_FALSE(Ref(w).exists());
        HWND form = Open(w);
        ASSERT_TRUE(Ref(w).exists());
        ASSERT_TRUE(IsWindow(form));
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_TRUE(InFront(form, main));
        EXPECT_TRUE(IsWindowEnabled(main));  // not modal
        HWND owner = GetWindow(form, GW_OWNER);
        EXPECT_EQ(owner, program_.owner());  // the hidden program window, not another form
        EXPECT_NE(owner, main);
        EXPECT_FALSE(IsWindowVisible(owner));
        EXPECT_FALSE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_FALSE(GetWindowLongPtrW(form, GWL_STYLE) & WS_CHILD);
    }
    EXPECT_EQ(FormWindows().size(), 3u);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SecondaryWindows, APressWhileOpenBringsTheSameWindowToTheFront) {
    HWND help = Open(kHelp);
    HWND about = Open(kAbout);
    HWND main = Main().hwnd();
    // Not owned by the main window: activated and raised, it comes in front of both.
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Pump();
    EXPECT_TRUE(InFront(main, help));
    EXPECT_TRUE(InFront(main, about));
    for (const Secondary& w : kBoth) {
        TRACE_WINDOW(w);
        HWND form = FormOf(w).hwnd();
        EXPECT_EQ(Open(w), form);
        EXPECT_TRUE(InFront(form, main));
    }
    EXPECT_TRUE(InFront(about, help));  // the last one pressed
    EXPECT_EQ(FormWindows().size(), 3u);  // never a second copy
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SecondaryWindows, ItsCloseButtonHidesItAndTheNextPressShowsItWhereItWas) {
    for (const Secondary& w : kBoth) {
        TRACE_WINDOW(w);
        HWND form = Open(w);
        SetWindowPos(form, nullptr, 137, 211, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const RECT moved = WindowRect(form);
        const std::vector<std::wstring> shown = Texts(w);
        PressClose(w);
        EXPECT_FALSE(IsWindowVisible(form));
        EXPECT_TRUE(IsWindow(form));  // hidden, not unloaded
        EXPECT_TRUE(IsWindowEnabled(Main().hwnd()));

        EXPECT_EQ(Open(w), form);
        EXPECT_TRUE(IsWindowVisible(form));
        const RECT again = WindowRect(form);
        EXPECT_TRUE(EqualRect(&moved, &again));
        EXPECT_EQ(WindowRect(form).left, 137);
        EXPECT_EQ(WindowRect(form).top, 211);
        EXPECT_EQ(Texts(w), shown);
        EXPECT_EQ(FocusIn(form), Closer(w));
    }
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SecondaryWindows, TheTitleBarCloseDestroysItAndTheNextPressBuildsItAnew) {
    const struct {
        const char* how;
        UINT message;
        WPARAM wParam;
    } closes[] = {{"close box", WM_SYSCOMMAND, SC_CLOSE}, {"Alt+F4", WM_CLOSE, 0}};
    for (const Secondary& w : kBoth) {
        for (const auto& close : closes) {
            TRACE_WINDOW(w);
            SCOPED_TRACE(close.how);
            HWND first = Open(w);
            const RECT initial = WindowRect(first);
            const std::vector<std::wstring> initialTexts = Texts(w);
            app::Form* instance = Ref(w).instance();
            SetWindowPos(first, nullptr, initial.left + 90, initial.top + 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

            SendMessageW(first, close.message, close.wParam, 0);
            Pump();
            EXPECT_FALSE(IsWindow(first));
            EXPECT_EQ(Ref(w).instance(), instance);  // the instance stays
            EXPECT_FALSE(instance->loaded());
            EXPECT_FALSE(program_.ended());
            EXPECT_TRUE(IsWindowVisible(Main().hwnd()));

            HWND rebuilt = Open(w);
            EXPECT_EQ(Ref(w).instance(), instance);
            ASSERT_TRUE(IsWindow(rebuilt));
            EXPECT_TRUE(IsWindowVisible(rebuilt));
            const RECT now = WindowRect(rebuilt);
            EXPECT_TRUE(EqualRect(&now, &initial)) << "at " << now.left << "," << now.top;  // default placement again
            EXPECT_EQ(Texts(w), initialTexts);
            EXPECT_EQ(FocusIn(rebuilt), Closer(w));
            PressClose(w);  // the next round opens it from hidden
        }
    }
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SecondaryWindows, BothOpenTogetherWhileTheMainWindowComputes) {
    HWND help = Open(kHelp);
    HWND about = Open(kAbout);
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    EXPECT_TRUE(IsWindowEnabled(Main().hwnd()));
    EXPECT_TRUE(IsWindowEnabled(Control(Przelicz)));
    Click(Przelicz);
    Pump();
    EXPECT_EQ(Text(srdnicaakt), L"634.5");
    EXPECT_EQ(Text(srednicanew), L"631.9");
    EXPECT_TRUE(IsWindowVisible(help));
    EXPECT_TRUE(IsWindowVisible(about));
    EXPECT_TRUE(errors_.empty());
}

// How the program ends while the secondary windows are in each of their states.
enum class State { Shown, Hidden, Closed };
enum class Ending { Zakoncz, MainCloseBox };
struct EndCase {
    State help, about;
    Ending ending;
};

class ProgramEnd : public SecondaryWindows, public ::testing::WithParamInterface<EndCase> {
protected:
    void Put(const Secondary& w, State state) {
        Open(w);
        if (state == State::Hidden) PressClose(w);
        if (state == State::Closed) {
            SendMessageW(FormOf(w).hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
        }
    }
};

TEST_P(ProgramEnd, LeavesNoWindow) {
    const EndCase c = GetParam();
    Put(kHelp, c.help);
    Put(kAbout, c.about);
    std::vector<HWND> windows = FormWindows();
    ASSERT_EQ(windows.size(), 1u + (c.help != State::Closed) + (c.about != State::Closed));
    if (c.ending == Ending::Zakoncz)
        Click(Command1);
    else
        SendMessageW(Main().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program_.ended());
    for (HWND w : windows) EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(FormWindows().empty());
    for (const Secondary& w : kBoth) EXPECT_FALSE(FormOf(w).loaded());
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(errors_.empty());
}

std::string EndCaseName(const ::testing::TestParamInfo<EndCase>& info) {
    const auto state = [](State st) {
        return st == State::Shown ? "Shown" : st == State::Hidden ? "Hidden" : "Closed";
    };
    return std::string("Help") + state(info.param.help) + "About" + state(info.param.about) +
           (info.param.ending == Ending::Zakoncz ? "_Zakoncz" : "_MainCloseBox");
}

INSTANTIATE_TEST_SUITE_P(WithHelpAndAbout, ProgramEnd,
                         ::testing::Values(EndCase{State::Shown, State::Shown, Ending::Zakoncz},
                                           EndCase{State::Hidden, State::Hidden, Ending::Zakoncz},
                                           EndCase{State::Closed, State::Shown, Ending::Zakoncz},
                                           EndCase{State::Shown, State::Hidden, Ending::MainCloseBox},
                                           EndCase{State::Hidden, State::Closed, Ending::MainCloseBox}),
                         EndCaseName);

// ---- Contents ----

TEST_F(SecondaryWindows, OpenWithTheirCaptionSizeFixedFrameAndIcon) {
    const HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(Main().hwnd(), GCLP_HICON));
    const HICON smallIcon = reinterpret_cast<HICON>(GetClassLongPtrW(Main().hwnd(), GCLP_HICONSM));
    ASSERT_NE(icon, nullptr);
    ASSERT_NE(smallIcon, nullptr);
    for (const Look& look : kLooks) {
        TRACE_WINDOW(look.window);
        HWND form = Open(look.window);
        EXPECT_EQ(WindowText(form), look.caption);
        RECT client;
        GetClientRect(form, &client);
        EXPECT_EQ(client.right, look.clientWidth);
        EXPECT_EQ(client.bottom, look.clientHeight);
        const auto style = GetWindowLongPtrW(form, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        // The program's icon, as on the main window.
        EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(form, GCLP_HICON)), icon);
        EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrW(form, GCLP_HICONSM)), smallIcon);
    }
}

// A 32-bit top-down bitmap and a DC to draw into it.
class Canvas {
public:
    Canvas(int width, int height) : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    explicit Canvas(HBITMAP picture) : dc_(CreateCompatibleDC(nullptr)) { old_ = SelectObject(dc_.get(), picture); }
    ~Canvas() { SelectObject(dc_.get(), old_); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_.get(); }

private:
    app::ScopedDc dc_;
    app::ScopedBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

TEST_F(SecondaryWindows, PaintTheirPictureUnscaledWithTheBottomStripCutOff) {
    for (const Look& look : kLooks) {
        TRACE_WINDOW(look.window);
        HWND form = Open(look.window);
        app::ScopedBitmap picture = app::LoadJpegResource(GetModuleHandleW(nullptr), look.picture);
        ASSERT_TRUE(picture);
        BITMAP bm{};
        GetObjectW(picture.get(), sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, look.pictureWidth);
        EXPECT_EQ(bm.bmHeight, look.pictureHeight);
        EXPECT_EQ(FormOf(look.window).desc().picture, look.picture);

        const Canvas painted(look.clientWidth, look.clientHeight);
        SetPixel(painted.dc(), look.clientWidth - 1, look.clientHeight - 1, RGB(1, 2, 3));
        SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(painted.dc()), 0);
        const Canvas source(picture.get());
        // Pixel for pixel from the top-left corner: no dialog face shows anywhere.
        for (int y = 0; y < look.clientHeight; y += 7)
            for (int x = 0; x < look.clientWidth; x += 5)
                ASSERT_EQ(GetPixel(painted.dc(), x, y), GetPixel(source.dc(), x, y)) << x << "," << y;
        EXPECT_EQ(GetPixel(painted.dc(), look.clientWidth - 1, look.clientHeight - 1),
                  GetPixel(source.dc(), look.clientWidth - 1, look.clientHeight - 1));
    }
}

TEST_F(SecondaryWindows, ShowEveryControlAtItsPlaceWithItsTextFontAndColour) {
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Look& look : kLooks) {
        TRACE_WINDOW(look.window);
        HWND form = Open(look.window);
        EXPECT_EQ(Children(form).size(), look.rows.size());  // nothing more
        for (const Row& row : look.rows) {
            SCOPED_TRACE(Narrow(row.name) + "(" + std::to_string(row.element) + ")");
            HWND h = ControlOf(look.window, row);
            ASSERT_NE(h, nullptr);
            const RECT r = PlaceOf(h);
            EXPECT_EQ(r.left, row.left / 15);
            EXPECT_EQ(r.top, row.top / 15);
            EXPECT_EQ(r.right - r.left, row.width / 15);
            EXPECT_EQ(r.bottom - r.top, row.height / 15);
            EXPECT_TRUE(IsWindowVisible(h));
            EXPECT_EQ(WindowText(h), row.text);

            LOGFONTW font{};
            ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof(font), &font));
            EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
            EXPECT_EQ(font.lfHeight, row.fontHeight);
            EXPECT_EQ(font.lfWeight, row.bold ? FW_BOLD : FW_NORMAL);
            EXPECT_EQ(font.lfCharSet, EASTEUROPE_CHARSET);
            EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);

            wchar_t cls[16] = {};
            GetClassNameW(h, cls, 16);
            const bool isButton = _wcsicmp(cls, L"Button") == 0;
            EXPECT_EQ(isButton, row.text.starts_with(L"Zamknij"));
            if (isButton) continue;
            // A label: transparent over the picture, in its colour, plain text rather than a link.
            EXPECT_EQ(_wcsicmp(cls, L"Static"), 0);
            SetTextColor(dc, RGB(1, 2, 3));
            const auto brush = SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
            EXPECT_EQ(GetTextColor(dc), row.darkRed ? RGB(128, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
            EXPECT_FALSE(GetWindowLongPtrW(h, GWL_STYLE) & (WS_BORDER | SS_NOTIFY));
            EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
        }
    }
    DeleteDC(dc);
}

TEST_F(SecondaryWindows, HelpShowsItsTextsCharacterForCharacter) {
    Open(kHelp);
    app::Form& help = FormOf(kHelp);
    const std::wstring purpose = help.Text(ui::form3::Label3);
    EXPECT_EQ(purpose, kPurpose);
    EXPECT_EQ(purpose.size(), 330u);
    EXPECT_TRUE(purpose.ends_with(L"rozmiarze. ") && !purpose.ends_with(L"  "));
    EXPECT_EQ(purpose.find_first_of(L"\r\n"), std::wstring::npos);

    const std::wstring usage = help.Text(ui::form3::Label4);
    EXPECT_EQ(usage, kUsage);
    EXPECT_EQ(usage.size(), 459u);
    const std::vector<std::wstring> lines = Lines(usage);
    ASSERT_EQ(lines.size(), 8u);  // seven lines, each ended by CR LF
    EXPECT_EQ(lines.back(), L"");
    EXPECT_EQ(std::count(usage.begin(), usage.end(), L'\n'), 7);
    EXPECT_EQ(std::count(usage.begin(), usage.end(), L'\r'), 7);
    const struct {
        size_t leading, trailing;
    } spaces[] = {{0, 6}, {5, 0}, {0, 0}, {0, 1}, {0, 3}, {4, 1}, {4, 3}};
    for (size_t i = 0; i < 7; ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        const std::wstring& line = lines[i];
        EXPECT_EQ(line.find_first_not_of(L' '), spaces[i].leading);
        EXPECT_EQ(line.size() - 1 - line.find_last_not_of(L' '), spaces[i].trailing);
    }
    EXPECT_NE(lines[3].find(L"\"Przelicz\""), std::wstring::npos);
    EXPECT_NE(lines[6].find(L"pokazującą  błąd"), std::wstring::npos);

    // Stored one byte a character in code page 1250, and every Polish letter drawn as itself.
    for (const std::wstring& text : {purpose, usage, WindowText(help.control(ui::form3::Label1_0))}) {
        BOOL lossy = FALSE;
        const int bytes = WideCharToMultiByte(1250, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                              nullptr, 0, nullptr, &lossy);
        EXPECT_EQ(bytes, static_cast<int>(text.size()));
        EXPECT_FALSE(lossy);
    }
    const std::wstring all = purpose + usage;
    const Measure text(help.control(ui::form3::Label3));
    for (wchar_t letter : std::wstring_view(L"ąćęłóśż")) {
        SCOPED_TRACE(static_cast<int>(letter));
        EXPECT_NE(all.find(letter), std::wstring::npos);
        EXPECT_TRUE(text.HasGlyph(letter));
    }
    const Measure title(help.control(ui::form3::Label1_1));
    EXPECT_TRUE(title.HasGlyph(L'ó'));
}

TEST_F(SecondaryWindows, EveryTextFitsItsLabelInTheFontInUse) {
    const auto size = [](HWND h) {
        const RECT r = PlaceOf(h);
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    // Help: each line of the usage text within Label4's width, the purpose text wrapped within Label3.
    Open(kHelp);
    app::Form& help = FormOf(kHelp);
    {
        HWND label = help.control(ui::form3::Label4);
        const Measure usage(label);
        const SIZE box = size(label);
        for (const std::wstring& line : Lines(WindowText(label))) {
            SCOPED_TRACE(Narrow(line));
            EXPECT_LE(usage.Width(line), box.cx);
            if (!line.empty()) {
                EXPECT_EQ(usage.Wrapped(line, box.cx).cy, usage.LineHeight());  // wraps nowhere
            }
        }
        EXPECT_LE(usage.Wrapped(WindowText(label), box.cx).cy, box.cy);
    }
    {
        HWND label = help.control(ui::form3::Label3);
        const Measure purpose(label);
        const SIZE box = size(label);
        const SIZE wrapped = purpose.Wrapped(WindowText(label), box.cx);
        EXPECT_LE(wrapped.cx, box.cx);
        EXPECT_GT(wrapped.cy, purpose.LineHeight());  // it wraps at spaces
        EXPECT_LE(wrapped.cy, box.cy);                // and nothing is cut off
    }
    // Titles take two lines, every other label one; the values, contacts included, fit whole.
    Open(kAbout);
    for (const Look& look : kLooks) {
        TRACE_WINDOW(look.window);
        for (const Row& row : look.rows) {
            if (row.text == kUsage || row.text == kPurpose || row.text.starts_with(L"Zamknij")) continue;
            SCOPED_TRACE(Narrow(row.name));
            HWND h = ControlOf(look.window, row);
            const Measure label(h);
            const SIZE box = size(h);
            const std::wstring shown = WindowText(h);
            const SIZE laid = label.Wrapped(shown, box.cx);
            EXPECT_LE(laid.cx, box.cx);
            EXPECT_EQ(laid.cy, (shown == kTitleText ? 2 : 1) * label.LineHeight());
            EXPECT_LE(laid.cy, box.cy);
            if (row.darkRed) {
                EXPECT_LE(label.Width(shown), box.cx);
            }
        }
    }
}

TEST_F(SecondaryWindows, HelpCloseButtonIsDrawnAboveTheUsageText) {
    HWND form = Open(kHelp);
    HWND button = Closer(kHelp);
    HWND usage = FormOf(kHelp).control(ui::form3::Label4);
    RECT overlap, a = PlaceOf(button), b = PlaceOf(usage);
    ASSERT_TRUE(IntersectRect(&overlap, &a, &b));  // lies over Label4's lower right part
    EXPECT_GT(a.right, (b.left + b.right) / 2);
    EXPECT_GT(a.bottom, (b.top + b.bottom) / 2);
    const std::vector<HWND> order = Children(form);
    const auto at = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
    EXPECT_LT(at(button), at(usage));
    // The label paints around the button, not over it.
    EXPECT_TRUE(GetWindowLongPtrW(usage, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_EQ(ChildWindowFromPointEx(form, POINT{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2},
                                     CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT),
              button);
}

TEST_F(SecondaryWindows, ShowTheDefaultArrowEverywhere) {
    const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    ASSERT_NE(program_.Cursor(app::Pointer::Arrow), arrow);  // the program's own arrow is another one
    for (const Secondary& w : kBoth) {
        TRACE_WINDOW(w);
        HWND form = Open(w);
        std::vector<HWND> targets = Children(form);
        targets.push_back(form);
        for (HWND target : targets) {
            // A label lets the mouse through to the window under it.
            HWND receiver = SendMessageW(target, WM_NCHITTEST, 0, 0) == HTTRANSPARENT ? form : target;
            SetCursor(nullptr);
            SendMessageW(receiver, WM_SETCURSOR, reinterpret_cast<WPARAM>(receiver), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), arrow) << Narrow(WindowText(target));
        }
    }
}

// ---- Keyboard and mouse ----

TEST_F(SecondaryWindows, OnlyTheCloseButtonTakesTheFocusAndHoldsIt) {
    for (const Secondary& w : kBoth) {
        TRACE_WINDOW(w);
        HWND form = Open(w);
        HWND button = Closer(w);
        EXPECT_EQ(FocusIn(form), button);
        EXPECT_EQ(GetNextDlgTabItem(form, button, FALSE), button);
        EXPECT_EQ(GetNextDlgTabItem(form, button, TRUE), button);
        Press(form, VK_TAB);
        EXPECT_EQ(FocusIn(form), button);
        for (HWND child : Children(form)) {
            if (child == button) continue;
            EXPECT_FALSE(GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP);
            // A click on a label reaches the window beneath, which does nothing with it.
            EXPECT_EQ(SendMessageW(child, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
            const RECT r = PlaceOf(child);
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageW(form, WM_LBUTTONUP, 0, at);
            Pump();
            EXPECT_EQ(FocusIn(form), button);
            EXPECT_TRUE(IsWindowVisible(form));
        }
        // Back from another window, the focus returns to the button.
        Activate(Main().hwnd());
        SetFocus(Control(Text1));
        EXPECT_EQ(FocusIn(Main().hwnd()), Control(Text1));
        EXPECT_EQ(FocusIn(form), button);
    }
    EXPECT_TRUE(errors_.empty());
}

TEST_F(SecondaryWindows, SpaceOrEnterOnTheCloseButtonHidesItAndEscDoesNothing) {
    const struct {
        const char* name;
        WPARAM key;
        bool hides;
    } keys[] = {{"Space", VK_SPACE, true}, {"Enter", VK_RETURN, true}, {"Esc", VK_ESCAPE, false}};
    for (const Secondary& w : kBoth) {
        for (const auto& k : keys) {
            TRACE_WINDOW(w);
            SCOPED_TRACE(k.name);
            HWND form = Open(w);
            ASSERT_EQ(FocusIn(form), Closer(w));
            Press(form, k.key);
            EXPECT_EQ(IsWindowVisible(form), !k.hides);
            EXPECT_TRUE(IsWindow(form));  // hidden at most, never destroyed
            if (!k.hides) {
                EXPECT_EQ(FocusIn(form), Closer(w));
            }
            EXPECT_FALSE(program_.ended());
            PressClose(w);
        }
    }
    EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace tarvex_test
