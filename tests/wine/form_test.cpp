// Each window as it opens: the real controls against the tables (which the native tests check
// against hand-worked values), and what a user and a screen reader meet there. The main window
// moved to screens of other densities with the rectangles Windows suggests, and laid out at 144 dpi
// by the density functions of Windows 10, 8.1 and 7.

#include <oleacc.h>

#include <map>

#include "forms/platform.h"
#include "harness.h"
#include "resource_ids.h"

namespace tarvex_test {
namespace {

std::wstring Trimmed(std::wstring_view text) { return std::wstring(text.substr(0, text.find_last_not_of(L' ') + 1)); }

// The name the accessibility layer gives a control; empty when it has none.
std::wstring SpokenName(HWND control) {
    forms::ComRef<IAccessible> object;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: 0
    const auto out = reinterpret_cast<void**>(object.put());
    if (SUCCEEDED(AccessibleObjectFromWindow(control, DWORD(OBJID_CLIENT), IID_IAccessible, out)))
        object->get_accName(self, &name);
    const std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

// The pointer a form shows over itself or a child; null when it leaves the child its own.
HCURSOR PointerOver(HWND form, HWND target) {
    SetCursor(nullptr);
    const bool handled = SendMessageW(form, WM_SETCURSOR, WPARAM(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return handled || target == form ? GetCursor() : nullptr;  // over itself: its class arrow
}

// What a user sees of a pointer: its size (-1 if not monochrome), its hot spot and its image.
using Look = std::tuple<LONG, DWORD, DWORD, std::vector<char>>;
Look LookOf(HCURSOR cursor) {
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
Look Expected(forms::Pointer p, int dpi) {
    if (p == forms::Pointer::System) return LookOf(LoadCursorW(nullptr, IDC_ARROW));
    const int size = std::map<int, int>{{96, 32}, {120, 32}, {144, 48}, {168, 48}, {192, 64}}.at(dpi);
    const std::map<int, POINT> ibeam{{32, {15, 16}}, {48, {22, 24}}, {64, {30, 32}}};
    const auto [x, y] = p == forms::Pointer::IBeam ? ibeam.at(size) : POINT{};
    const auto id = MAKEINTRESOURCEW(IDC_TARVEX_ARROW + int(p) - 1);  // arrow, I-beam, busy
    const forms::ScopedCursor image(HCURSOR(LoadImageW(GetModuleHandleW(nullptr), id, IMAGE_CURSOR, size, size, 0)));
    return {size, DWORD(x), DWORD(y), std::get<3>(LookOf(image.get()))};
}

// Records the names given and taken back, standing in for the system's service, which Wine 8 keeps none in.
struct RecordedNames : forms::NameService {
    std::map<HWND, std::wstring> given, takenBack;
    void Name(HWND h, std::wstring_view name) override { given[h] = name; }
    void Unname(HWND h) override { takenBack[h] = given[h]; }
};

class EveryWindow : public ProgramTest, public ::testing::WithParamInterface<WindowCase> {
protected:
    forms::Form& Form() { return Ref(GetParam()).get(); }
    void SetUp() override {
        program_.names().UseService(&names_);  // before any window is built
        ProgramTest::SetUp();
        Form().Show();
        Pump();
    }
    void TearDown() override { program_.names().UseService(nullptr); }
    RecordedNames names_;
};

// At the screen's density. In the project's prefix (README) MS Sans Serif's Central European
// bitmaps draw up to 13 pixels, Tahoma above.
TEST_P(EveryWindow, IsBuiltFromItsTableInAFixedFrameWithIconsPictureAndTabOrder) {
    const forms::FormDesc& desc = GetParam().desc;
    const HWND form = Form().hwnd();
    EXPECT_EQ(Window(form).Text(), desc.caption);
    const LONG_PTR frame = WS_CAPTION | WS_SYSMENU, sizing = WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & (frame | sizing), frame);
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW), WS_EX_DLGMODALFRAME);
    // Owned by the hidden program window, not by another form: no taskbar button.
    EXPECT_TRUE(GetWindow(form, GW_OWNER) == program_.owner() && !IsWindowVisible(program_.owner()));
    for (auto [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {  // this density's sizes
        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, WPARAM(which), 0)), &icon));
        const forms::ScopedBitmap mask(icon.hbmMask), colour(icon.hbmColor);
        BITMAP image{};
        GetObjectW(colour.get(), sizeof image, &image);
        EXPECT_EQ((std::array<int, 2>{image.bmWidth, image.bmHeight}),
                  (std::array{GetSystemMetrics(metric), GetSystemMetrics(metric)}));
    }
    ExpectLaidOut(Form(), desc, ScreenDpi());  // the picture too: the real high-contrast query answers "off" under Wine
    int children = 0;
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(desc.controls.size()));  // nothing more
    EXPECT_EQ(LookOf(PointerOver(form, form)), Expected(desc.pointer, ScreenDpi()));  // over it and its labels
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (const forms::ControlDesc& c : desc.controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const Window h = Form().control(c.id);
        ASSERT_TRUE(h && h.Visible() && IsWindowEnabled(h.hwnd()));
        wchar_t cls[16] = {};
        GetClassNameW(h.hwnd(), cls, 16);
        EXPECT_EQ(_wcsicmp(cls, std::array{L"static", L"edit", L"combobox", L"button"}[size_t(c.kind)]), 0) << cls;
        const LOGFONTW font = FontOf(h);
        EXPECT_EQ(std::wstring_view(font.lfFaceName), font.lfHeight >= -13 ? L"MS Sans Serif" : L"Tahoma");
        EXPECT_EQ(h.Text(), c.text);
        // Text of any length; the list as the table has it, nothing chosen.
        const bool label = c.kind == forms::Kind::Label, box = c.kind == forms::Kind::TextBox;
        const bool combo = c.kind == forms::Kind::ComboBox;
        EXPECT_TRUE(!(box || combo) || (box ? h : Combo(h).Field()).Send(EM_GETLIMITTEXT) >= 0x7FFFFFFE);
        std::vector<std::wstring> entries(combo ? static_cast<size_t>(Combo(h).Count()) : 0);
        for (size_t i = 0; i < entries.size(); ++i) Combo(h).Entry(static_cast<int>(i), entries[i]);
        EXPECT_TRUE(std::ranges::equal(entries, c.list) && (!combo || Combo(h).Selection() == -1));
        // Labels transparent over the picture, wrapping at spaces, letting the mouse through to the
        // window; the ink asked for, or the design's black on the picture.
        const COLORREF ink = c.ink ? RGB(c.ink->r, c.ink->g, c.ink->b) : label ? 0 : GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc.get(), RGB(1, 2, 3));
        const auto brush = reinterpret_cast<HGDIOBJ>(SendMessageW(form, label ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                                  WPARAM(dc.get()), LPARAM(h.hwnd())));
        const auto style = GetWindowLongPtrW(h.hwnd(), GWL_STYLE);
        if (label) {
            EXPECT_EQ(std::tuple(brush, GetBkMode(dc.get()), GetTextColor(dc.get()), style & (SS_TYPEMASK | WS_BORDER)),
                      std::tuple(GetStockObject(NULL_BRUSH), TRANSPARENT, ink, LONG_PTR{SS_LEFT}));
            EXPECT_EQ(h.Send(WM_NCHITTEST), HTTRANSPARENT);
        } else {
            EXPECT_TRUE(!box || GetTextColor(dc.get()) == ink);
            const bool own = c.pointer != forms::Pointer::System;
            EXPECT_EQ(LookOf(PointerOver(form, h.hwnd())), own ? Expected(c.pointer, ScreenDpi()) : Look{});
        }
        // Tab stops as the order has them; plain push buttons: Enter and Esc press nothing by themselves.
        EXPECT_EQ((style & WS_TABSTOP) != 0, std::ranges::find(desc.tabOrder, c.id) != desc.tabOrder.end());
        EXPECT_TRUE(c.kind != forms::Kind::Button || (style & BS_TYPEMASK) == BS_PUSHBUTTON);
    }
    // The focus starts on the first control of the order, and Tab walks it round.
    HWND at = FocusIn(form);
    for (size_t i = 0; i <= desc.tabOrder.size(); at = GetNextDlgTabItem(form, at, FALSE), ++i)
        EXPECT_EQ(at, Form().control(desc.tabOrder[i % desc.tabOrder.size()])) << "step " << i;
}

// A screen reader's name for each box, button and result: the program's (given once a reader
// asks, taken back when the window goes), the label's just before it, or its caption.
TEST_P(EveryWindow, NamesEveryBoxButtonAndResultOnlyOnceAScreenReaderAsks) {
    EXPECT_TRUE(names_.given.empty());
    std::map<HWND, std::wstring> expected;
    for (const forms::ControlDesc& c : GetParam().desc.controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const HWND h = Form().control(c.id);
        const std::wstring spoken = SpokenName(h);
        if (!c.spokenName.empty()) expected[h] = c.spokenName;
        EXPECT_TRUE(c.kind != forms::Kind::Button || spoken == c.text) << "spoken " << testing::PrintToString(spoken);
        if (c.captionOf < 0) continue;
        // The label's name is spoken for a box; Wine's for a combo is its field's text.
        const HWND named = Form().control(c.captionOf);
        EXPECT_EQ(GetWindow(named, GW_HWNDPREV), h);
        if (GetParam().desc.controls[size_t(c.captionOf)].kind == forms::Kind::TextBox) {
            EXPECT_EQ(Trimmed(SpokenName(named)), Trimmed(c.text));
        }
    }
    EXPECT_EQ(names_.given, expected);
    SendMessageW(Form().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(names_.takenBack, expected);
}

// Without the stand-in, Wine has no service to name the boxes with: the labels still name
// theirs, nothing is reported and the program goes on.
TEST_F(ProgramTest, AScreenReaderAskingThroughTheSystemsServiceStopsNothing) {
    EXPECT_EQ(Trimmed(SpokenName(Control(srdnicaakt).hwnd())), L"Średnica koła z aktualnym rozmiarem opony");
    SpokenName(Control(Text1).hwnd());
    Click(Przelicz);
    EXPECT_TRUE(Text(srdnicaakt) == L"385.8" && errors_.empty());
}

const auto kName = [](const auto& param) { return std::string(param.param.name); };
INSTANTIATE_TEST_SUITE_P(Forms, EveryWindow, ::testing::ValuesIn(kWindows), kName);

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
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo4);
    Control(Text4).SetText(L"205");
    Type(Combo(Control(Combo5)).Field(), L"55");
    Click(Przelicz);
    const std::vector<std::wstring> before = Contents(Main(), ui::kForm1);
    ASSERT_NE(Text(srdnicaakt), L"0");
    RECT work{};  // the only screen's
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
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
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
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

using Windows = std::pair<const char*, forms::DpiLookups (*)()>;
class At144Dpi : public ProgramTest, public ::testing::WithParamInterface<Windows> {
    void SetUp() override {
        program_.UseLookups(GetParam().second());
        ProgramTest::SetUp();
    }
};

// Windows 7 has one density for every screen, the system's: here 144 dpi too.
TEST_P(At144Dpi, TheMainWindowHasItsClientAreaPlacesAndFontsOfThatDensity) {
    ASSERT_EQ(ScreenDpi(), 144) << "not run at 144 dpi";
    ExpectLaidOut(Main(), ui::kForm1, 144);
}

INSTANTIATE_TEST_SUITE_P(Windows, At144Dpi,
                         ::testing::Values(Windows{"Windows10", Windows10}, Windows{"Windows81", Windows81},
                                           Windows{"Windows7", Windows7}),
                         [](const auto& param) { return std::string(param.param.first); });

}  // namespace
}  // namespace tarvex_test
