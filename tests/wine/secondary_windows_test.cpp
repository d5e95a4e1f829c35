// The Help and About windows: how they come and go, what they show, and their keyboard.

#include <array>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/picture.h"
#include "harness.h"
#include "resource_ids.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// What the user should find in a window, written out here rather than read from its table. Places
// are in twips; font heights in pixels: -16 is 12 pt, -13 is 9.75 pt, -11 is 8.25 pt at 96 dpi.
struct Row { int id, left, top, width, height; std::wstring_view text; int fontHeight; bool bold, darkRed; };

constexpr std::wstring_view kTitle = L"Tarvex zamienników opon samochodowych";
constexpr std::wstring_view kPurpose =
    L"Program pomaga dobrać właściwy rozmiar ogumienia do samochodu tak aby zachować średnice koła jak najbardziej "
    L"zbliżoną do fabrycznego rozmiaru kół w samochodzie. W przypadku gdy idealne dobranie rozmiaru nowych opon jest "
    L"niemożliwe program pokazuje błąd jaki bedzie wskazywał prędkościmierz przy używaniu opon w podanym rozmiarze. ";
constexpr std::wstring_view kUsage =
    L"1. Wybierz rozmiar opon jaki aktualnie używasz lub rozmiar jaki fabrycznie jest stosowany w      \r\n"
    L"     twoim samochodzie\r\n"
    L"2. Wybierz rozmiar opon, ktore chcesz założyć do samochodu\r\n"
    L"3. Nacisnij przycisk \"Przelicz\" \r\n"
    L"4. Po prawej stonie okna w sekcji INFO otrzymasz informacje na temat średnicy obydwu kół,   \r\n"
    L"    ewentualną rożnice w średnicy kół, procent błedu pokazywany przed prędkościomierz oraz \r\n"
    L"    tabelę pokazującą  błąd prędkościmierza w km/h   \r\n";
static_assert(kPurpose.size() == 330 && kUsage.size() == 459);  // no space lost from either end of a line

const Row kHelpRows[] = {
    {ui::form3::Label1_1, 360, 720, 3615, 615, kTitle, -16, true, false},
    {ui::form3::Label2, 360, 1560, 2055, 375, L"O co chodzi ?", -11, true, false},
    {ui::form3::Label3, 360, 1920, 7215, 1335, kPurpose, -11, false, false},
    {ui::form3::Label1_0, 360, 3000, 2655, 375, L"Jak korzystać z programu ?", -11, true, false},
    {ui::form3::Label4, 360, 3360, 7815, 1935, kUsage, -11, false, false},
    {ui::form3::Command301, 6480, 5040, 1455, 375, L"Zamknij ", -11, false, false},
};
const Row kAboutRows[] = {
    {ui::form2::Label1, 120, 600, 3615, 615, kTitle, -16, true, false},
    {ui::form2::Label2, 360, 1440, 1095, 255, L"Wersja: ", -13, true, false},
    {ui::form2::Label5, 1320, 1440, 495, 255, L"1.2", -13, true, true},
    {ui::form2::Label6, 360, 1920, 855, 255, L"Status: ", -13, true, false},
    {ui::form2::Label10, 1320, 1920, 1095, 255, L"Freeware", -13, true, true},
    {ui::form2::Label3, 360, 2400, 615, 255, L"Autor: ", -13, true, false},
    {ui::form2::Label7, 1320, 2400, 2295, 255, L"ZELT", -13, true, true},
    {ui::form2::Label4, 360, 2880, 1095, 255, L"Kontakt: ", -13, true, false},
    {ui::form2::Label8, 1320, 2880, 1815, 255, L"zelt@zelt.test", -13, true, true},
    {ui::form2::Label9, 1320, 3240, 2295, 255, L"www.zelt.test", -13, true, true},
    {ui::form2::Command201, 4320, 3240, 1095, 375, L"Zamknij", -11, false, false},
};

// One secondary window: the main window's button that opens it, its close button and its look (client size in pixels).
struct Secondary {
    const char* name; app::FormRef app::Program::*ref; int opener, closer, picture;
    std::wstring_view caption; LONG clientWidth, clientHeight; std::span<const Row> rows;
};
const Secondary kHelp{"Help", &app::Program::Form3, Command3, ui::form3::Command301, IDP_HELP, L"Pomoc ", 550, 382,
                      kHelpRows};
const Secondary kAbout{"About", &app::Program::Form2, Command2, ui::form2::Command201, IDP_ABOUT, L"O programie ...",
                       380, 259, kAboutRows};

// True when a lies in front of b among the top-level windows.
bool InFront(HWND a, HWND b) {
    for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w == b) return true;
    return false;
}

class SecondaryWindows : public ProgramTest {
protected:
    void TearDown() override { EXPECT_TRUE(errors_.empty()); }
    app::FormRef& Ref(const Secondary& w) { return program_.*w.ref; }
    app::Form& FormOf(const Secondary& w) { return *Ref(w).instance(); }
    HWND Closer(const Secondary& w) { return FormOf(w).control(w.closer); }
    void PressClose(const Secondary& w) { Click(FormOf(w), w.closer); Pump(); }
    HWND Open(const Secondary& w) {
        Click(w.opener);
        Pump();
        return Ref(w).exists() ? FormOf(w).hwnd() : nullptr;
    }
    void ExpectContents(const Secondary& w) { for (const Row& r : w.rows) EXPECT_EQ(FormOf(w).Text(r.id), r.text); }
    // Another test process on the display may take the activation: bring the window forward until it holds.
    HWND FocusIn(HWND form) {
        for (int attempt = 0; attempt < 10 && GetActiveWindow() != form; ++attempt) {
            SetForegroundWindow(form);
            Pump();
        }
        return GetFocus();
    }
    // A key as the program's message loop hands it on: through the dialog manager first.
    void Press(HWND form, WPARAM key) {
        for (MSG msg : {MSG{FocusIn(form), WM_KEYDOWN, key, 1, 0, {}}, MSG{FocusIn(form), WM_KEYUP, key, 0xC0000001, 0, {}}})
            if (!IsDialogMessageW(form, &msg)) DispatchMessageW(&msg);
        Pump();
    }
};

TEST_F(SecondaryWindows, OpenModelessAndComeBackRaisedReshownOrRebuilt) {
    HWND main = Main().hwnd();
    for (const Secondary& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        EXPECT_FALSE(Ref(w).exists());
        HWND form = Open(w);
        ASSERT_TRUE(IsWindowVisible(form));  // built by the press
        EXPECT_EQ(GetWindow(form, GW_OWNER), program_.owner());  // the hidden program window, not Form1
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
        RECT r{};
        GetWindowRect(form, &r);
        EXPECT_EQ(std::tuple(IsWindowVisible(form), r.left, r.top), std::tuple(TRUE, 137L, 211L));
        ExpectContents(w);
        // The title-bar close destroys the window but not the instance; the next press builds it anew.
        app::Form* instance = Ref(w).instance();
        SendMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        Pump();
        EXPECT_FALSE(IsWindow(form) || instance->loaded() || program_.ended());
        HWND rebuilt = Open(w);
        EXPECT_EQ(Ref(w).instance(), instance);
        ASSERT_TRUE(IsWindowVisible(rebuilt));
        ExpectContents(w);
    }
    // With both open the main window stays enabled and computes.
    Click(Przelicz);
    EXPECT_EQ(Text(srdnicaakt), L"385.8");
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowVisible(FormOf(kHelp).hwnd()) && IsWindowVisible(FormOf(kAbout).hwnd()));
}

enum class State { Shown, Hidden, Closed };
struct EndCase { const char* name; State help, about; bool zakoncz; };  // else the main window's close box
class ProgramEnd : public SecondaryWindows, public ::testing::WithParamInterface<EndCase> {};

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

TEST_F(SecondaryWindows, ShowTheirFramePictureAndEveryControlWithItsPlaceTextFontColourAndPointer) {
    for (const Secondary& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        HWND form = Open(w);
        RECT client{};
        GetClientRect(form, &client);
        EXPECT_EQ(std::tuple(WindowText(form), client.right, client.bottom),
                  std::tuple(std::wstring(w.caption), w.clientWidth, w.clientHeight));
        const auto frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & frame, WS_CAPTION | WS_SYSMENU);
        // The picture from the top-left corner, unscaled, its bottom strip cut off.
        app::ScopedBitmap picture = app::LoadJpegResource(GetModuleHandleW(nullptr), w.picture);
        app::ScopedDc pictureDc(CreateCompatibleDC(nullptr));
        SelectObject(pictureDc.get(), picture.get());
        app::ScopedBitmap painted(CreateCompatibleBitmap(pictureDc.get(), w.clientWidth, w.clientHeight));
        app::ScopedDc dc(CreateCompatibleDC(nullptr));
        SelectObject(dc.get(), painted.get());
        SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        for (int y = 0; y < w.clientHeight; y += 7)
            for (int x = 0; x < w.clientWidth; x += 5)
                ASSERT_EQ(GetPixel(dc.get(), x, y), GetPixel(pictureDc.get(), x, y)) << x << "," << y;

        size_t children = 0;
        for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
        EXPECT_EQ(children, w.rows.size());  // nothing more
        for (const Row& row : w.rows) {
            SCOPED_TRACE(::testing::Message() << "control " << row.id);
            HWND h = FormOf(w).control(row.id);
            const RECT r = PlaceOf(h);
            EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::array<LONG, 4>{row.left / 15, row.top / 15, row.width / 15, row.height / 15}));
            EXPECT_EQ(WindowText(h), row.text);
            LOGFONTW f{};
            ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof(f), &f));
            // Wine's Central European MS Sans Serif has no 12-point strike: the titles take Tahoma.
            const wchar_t* face = row.fontHeight == -16 ? L"Tahoma" : L"MS Sans Serif";
            EXPECT_EQ(std::tuple(std::wstring(f.lfFaceName), f.lfHeight, f.lfWeight, f.lfCharSet),
                      std::tuple(std::wstring(face), row.fontHeight, row.bold ? FW_BOLD : FW_NORMAL, BYTE{238}));
            // The system arrow everywhere; a label lets the mouse through to the window under it.
            HWND receiver = SendMessageW(h, WM_NCHITTEST, 0, 0) == HTTRANSPARENT ? form : h;
            SetCursor(nullptr);
            SendMessageW(receiver, WM_SETCURSOR, reinterpret_cast<WPARAM>(receiver), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW, shared
            if (row.id == w.closer) continue;
            // A label wraps at spaces and lies transparent over the picture, in its own colour.
            EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & (SS_TYPEMASK | WS_BORDER), SS_LEFT);
            SetTextColor(dc.get(), RGB(1, 2, 3));
            const auto brush =
                SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(h));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
            EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);
            EXPECT_EQ(GetTextColor(dc.get()), row.darkRed ? RGB(128, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
        }
    }
}

TEST_F(SecondaryWindows, HelpCloseButtonIsDrawnAboveLabel4) {
    HWND form = Open(kHelp), label = FormOf(kHelp).control(ui::form3::Label4), button = Closer(kHelp);
    RECT box = PlaceOf(label), place = PlaceOf(button), overlap{};
    ASSERT_TRUE(IntersectRect(&overlap, &place, &box));
    EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & WS_CLIPSIBLINGS);  // the label paints around the button
    const POINT middle{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(form, middle, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT), button);
}

TEST_F(SecondaryWindows, OnlyTheCloseButtonTakesTheFocusAndSpaceOrEnterOnItHidesTheWindow) {
    for (const Secondary& w : {kHelp, kAbout}) {
        SCOPED_TRACE(w.name);
        HWND form = Open(w), button = Closer(w);
        EXPECT_EQ(FocusIn(form), button);
        // Enter before any Tab: moving the focus with Tab makes the button the default one.
        for (WPARAM key : {VK_RETURN, VK_SPACE}) {
            FocusIn(Main().hwnd());  // away, and back with the next press: the focus returns to the button
            EXPECT_EQ(FocusIn(Open(w)), button);
            Press(form, key);
            EXPECT_TRUE(IsWindow(form) && !IsWindowVisible(form)) << "key " << key;
        }
        // Esc and Tab leave the window open and the focus where it was.
        Open(w);
        for (WPARAM key : {VK_ESCAPE, VK_TAB}) Press(form, key);
        EXPECT_TRUE(IsWindowVisible(form));
        EXPECT_EQ(FocusIn(form), button);
    }
}

}  // namespace
}  // namespace tarvex_test
