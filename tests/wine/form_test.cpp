// Each window as it opens: the real controls against the tables, and what a user and a
// screen reader meet there, against hand-worked values.

#include <oleacc.h>

#include <array>
#include <map>

#include "design/layout.h"
#include "forms/platform.h"
#include "harness.h"
#include "resource_ids.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

// The screen's density, as the system tells any program; which of the four worked out below it is
// (any other fails on the client area's size).
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
size_t Density(int dpi) { return dpi < 120 ? 0 : dpi < 144 ? 1 : dpi < 192 ? 2 : 3; }

// Em heights of 8.25, 9.75 and 12 points at the four densities, and the README's faces for the project's prefix.
constexpr std::pair<double, std::array<LONG, 4>> kEms[] = {{8.25, {11, 13, 16, 22}}, {9.75, {13, 16, 19, 26}}, {12, {16, 20, 24, 32}}};
constexpr std::wstring_view kSans = L"MS Sans Serif", kTahoma = L"Tahoma";
constexpr std::wstring_view kFaces[4][3] = {{kSans, kSans, kTahoma}, {kSans, kTahoma, kTahoma}, {kTahoma, kTahoma, kTahoma},
                                            {kTahoma, kTahoma, kTahoma}};

enum class Named { ByProgram, ByLabelBefore, ByCaption };
struct Case {
    const char* name;
    forms::FormRef& (forms::Program::*ref)();
    const forms::FormDesc* desc;
    std::wstring_view caption;
    std::array<SIZE, 4> client;                              // at 96, 120, 144 and 192 dpi
    std::vector<std::pair<int, std::array<RECT, 4>>> places;  // {left, top, width, height}; -1: a combo's, its font's
    std::vector<int> tabOrder;
    std::vector<std::tuple<int, std::wstring_view, Named>> names;  // what a screen reader says, and who says it
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
constexpr auto kProgram = Named::ByProgram, kLabel = Named::ByLabelBefore, kCaption = Named::ByCaption;
const Case kForms[] = {
    {"Main", &forms::Program::Form1, &ui::kForm1, L"Tarvex zamienników opon samochodowych v1.2 by ZELT",
     {{{699, 500}, {874, 625}, {1049, 750}, {1398, 1000}}},
     {{Combo1, {{{16, 152, 73, -1}, {20, 190, 91, -1}, {24, 228, 110, -1}, {32, 304, 146, -1}}}},
      {Przelicz, {{{8, 464, 89, 25}, {10, 580, 111, 31}, {12, 696, 134, 38}, {16, 928, 178, 50}}}}},
     {Przelicz, Combo1, Combo2, Combo3, Text1, Text2, Text3, Command1, Combo4, Combo5, Combo6, Text4, Text5, Text6,
      srdnicaakt, srednicanew, roznica, procentbl, Command2, Command3},
     {{Text1, L"szerokość – inna (aktualny rozmiar)", kProgram}, {Text2, L"profil – inny (aktualny rozmiar)", kProgram},
      {Text3, L"średnica – inna (aktualny rozmiar)", kProgram}, {Text4, L"szerokość – inna (nowy rozmiar)", kProgram},
      {Text5, L"profil – inny (nowy rozmiar)", kProgram}, {Text6, L"średnica – inna (nowy rozmiar)", kProgram},
      {Label21_1, L"rzeczywista prędkość przy 50 km/h", kProgram}, {Label22, L"rzeczywista prędkość przy 60 km/h", kProgram},
      {Label23, L"rzeczywista prędkość przy 80 km/h", kProgram}, {Label24, L"rzeczywista prędkość przy 90 km/h", kProgram},
      {Label25, L"rzeczywista prędkość przy 100 km/h", kProgram}, {Label26, L"rzeczywista prędkość przy 150 km/h", kProgram},
      {Combo1, L"szerokość", kLabel}, {Combo2, L"profil", kLabel}, {Combo3, L"srednica (cale)", kLabel},
      {Combo4, L"szerokość", kLabel}, {Combo5, L"profil", kLabel}, {Combo6, L"srednica (cale)", kLabel},
      {srdnicaakt, L"Średnica koła z aktualnym rozmiarem opony", kLabel},
      {srednicanew, L"Srednica kola z nowym rozmiarem opony", kLabel},
      {roznica, L"Różnica średnicy kół", kLabel}, {procentbl, L"Błąd prędkościomierza", kLabel},
      {Przelicz, L"Przelicz", kCaption}, {Command1, L"Zakończ", kCaption}, {Command2, L"O programie ...", kCaption},
      {Command3, L"Pomoc", kCaption}}},
    {"About", &forms::Program::Form2, &ui::kForm2, L"O programie ...", {{{380, 259}, {475, 324}, {570, 389}, {760, 518}}},
     {{ui::form2::Command201, {{{288, 216, 73, 25}, {360, 270, 91, 31}, {432, 324, 110, 38}, {576, 432, 146, 50}}}}},
     {ui::form2::Command201}, {{ui::form2::Command201, L"Zamknij", kCaption}}},
    {"Help", &forms::Program::Form3, &ui::kForm3, L"Pomoc ", {{{550, 382}, {688, 478}, {825, 573}, {1100, 764}}},
     {{ui::form3::Label4, {{{24, 224, 521, 129}, {30, 280, 651, 161}, {36, 336, 782, 194}, {48, 448, 1042, 258}}}}},
     {ui::form3::Command301}, {{ui::form3::Command301, L"Zamknij ", kCaption}}},
};

// The client area and the hand-worked places; every control where the layout (checked natively
// against hand values) puts it; each font's em height and, where asked, its face.
void ExpectLaidOut(const Case& w, forms::Form& form, int dpi, bool faces) {
    const size_t d = Density(dpi);
    const RECT client = Window(form.hwnd()).Client();
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(w.client[d].cx, w.client[d].cy)) << dpi << " dpi";
    for (const auto& [id, places] : w.places) {
        const RECT r = Window(form.control(id)).Place(), p = places[d];
        EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, p.bottom < 0 ? -1 : r.bottom - r.top}),
                  (std::array{p.left, p.top, p.right, p.bottom})) << "control " << id << " at " << dpi << " dpi";
    }
    for (const forms::ControlDesc& c : w.desc->controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << dpi << " dpi");
        const RECT r = Window(form.control(c.id)).Place();
        const forms::Rect p = forms::PlaceOf(c, dpi);
        EXPECT_EQ((std::array{r.left, r.top, r.right, c.kind == forms::Kind::ComboBox ? 0 : r.bottom}),
                  (std::array<LONG, 4>{p.left, p.top, p.right, c.kind == forms::Kind::ComboBox ? 0 : p.bottom}));
        LOGFONTW f{};
        ASSERT_TRUE(GetObjectW(Window(form.control(c.id)).Font(), sizeof f, &f));
        size_t size = 0;
        while (size < 2 && kEms[size].first != c.font.points) ++size;
        EXPECT_EQ(std::tuple(f.lfHeight, f.lfWeight, f.lfCharSet), std::tuple(-kEms[size].second[d], c.font.weight, BYTE{EASTEUROPE_CHARSET}));
        EXPECT_TRUE(!faces || f.lfFaceName == kFaces[d][size]) << f.lfFaceName;
    }
}

std::wstring Trimmed(std::wstring_view text) { return std::wstring(text.substr(0, text.find_last_not_of(L' ') + 1)); }

// The name the accessibility layer gives a control; empty when it has none.
std::wstring SpokenName(HWND control) {
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: 0
    if (SUCCEEDED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&object)))) {
        object->get_accName(self, &name);
        object->Release();
    }
    const std::wstring text = name ? name : L"";
    SysFreeString(name);
    return text;
}

class EveryWindow : public ProgramTest, public ::testing::WithParamInterface<Case> {
protected:
    forms::Form& Form() { return (program_.*GetParam().ref)().get(); }
    void SetUp() override {
        ProgramTest::SetUp();
        Form().Show();
        Pump();
    }
    // The pointer the window shows over itself or a child; null when it leaves the child its own.
    HCURSOR PointerOver(HWND target) {
        SetCursor(nullptr);
        const LRESULT handled = SendMessageW(Form().hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return handled || target == Form().hwnd() ? GetCursor() : nullptr;  // over itself: its class arrow
    }
};

TEST_P(EveryWindow, HasItsFixedFrameCaptionIconsAndPictureAndNoTaskbarButton) {
    const HWND form = Form().hwnd();
    EXPECT_EQ(Window(form).Text(), GetParam().caption);
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_STYLE) & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(GetWindowLongPtrW(form, GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW), WS_EX_DLGMODALFRAME);
    // Owned by the hidden program window, not by another form.
    EXPECT_TRUE(GetWindow(form, GW_OWNER) == program_.owner() && !IsWindowVisible(program_.owner()));
    for (auto [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {  // of the sizes of this density
        ICONINFO icon{};
        ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(SendMessageW(form, WM_GETICON, static_cast<WPARAM>(which), 0)), &icon));
        const forms::ScopedBitmap mask(icon.hbmMask), colour(icon.hbmColor);
        BITMAP image{};
        GetObjectW(colour.get(), sizeof image, &image);
        EXPECT_EQ((std::array<LONG, 2>{image.bmWidth, image.bmHeight}), (std::array<LONG, 2>{GetSystemMetrics(metric), GetSystemMetrics(metric)}));
    }
    EXPECT_TRUE(PaintsTheArtwork(form));  // the real high-contrast query answers "off" under Wine
}

// A window's density from Windows 7 to 11: its own, else its monitor's, else the system's.
TEST(Density, TheWindowsOwnElseItsMonitorsElseTheSystems) {
    const auto window = [](HWND) -> UINT { return 144; };
    const auto unknown = [](HWND) -> UINT { return 0; };
    const auto monitor = [](HMONITOR m, int, UINT* x, UINT* y) -> HRESULT {
        *x = *y = m == MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST) ? 120 : 1;
        return S_OK;
    };
    const auto failing = [](HMONITOR, int, UINT*, UINT*) -> HRESULT { return E_INVALIDARG; };
    const auto system = [] { return 96; };
    const std::pair<forms::DpiLookups, int> cases[] = {{{window, monitor, system}, 144}, {{nullptr, monitor, system}, 120},
                                                       {{unknown, monitor, system}, 120}, {{nullptr, failing, system}, 96},
                                                       {{nullptr, nullptr, system}, 96}};
    for (const auto& [lookups, dpi] : cases) EXPECT_EQ(forms::DpiOf(GetDesktopWindow(), lookups), dpi);
}

TEST_P(EveryWindow, BuildsEveryRowAsAControlInPlaceWithItsTextFontColourPointerAndTabStop) {
    const Case& w = GetParam();
    ExpectLaidOut(w, Form(), ScreenDpi(), true);
    int children = 0;
    for (HWND c = GetWindow(Form().hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(w.desc->controls.size()));  // nothing more
    const HMODULE self = GetModuleHandleW(nullptr);  // the program's own pointers, and the system's arrow
    const HCURSOR pointers[] = {LoadCursorW(nullptr, IDC_ARROW), LoadCursorW(self, MAKEINTRESOURCEW(IDC_TARVEX_ARROW)),
                                LoadCursorW(self, MAKEINTRESOURCEW(IDC_TARVEX_IBEAM)), LoadCursorW(self, MAKEINTRESOURCEW(IDC_TARVEX_BUSY))};
    forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (const forms::ControlDesc& c : w.desc->controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const Window h = Form().control(c.id);
        ASSERT_TRUE(h && h.Visible() && IsWindowEnabled(h.hwnd()));
        wchar_t cls[16] = {};
        GetClassNameW(h.hwnd(), cls, 16);
        EXPECT_EQ(_wcsicmp(cls, std::array{L"static", L"edit", L"combobox", L"button"}[static_cast<size_t>(c.kind)]), 0) << cls;
        EXPECT_EQ(h.Text(), c.text);
        const auto style = GetWindowLongPtrW(h.hwnd(), GWL_STYLE);
        if (c.kind == forms::Kind::TextBox || c.kind == forms::Kind::ComboBox) {  // text of any length
            EXPECT_GE((c.kind == forms::Kind::TextBox ? h : Combo(h).Field()).Send(EM_GETLIMITTEXT), 0x7FFFFFFE);
        }
        std::vector<std::wstring> entries(c.kind == forms::Kind::ComboBox ? static_cast<size_t>(Combo(h).Count()) : 0);
        for (size_t i = 0; i < entries.size(); ++i) Combo(h).Entry(static_cast<int>(i), entries[i]);
        EXPECT_TRUE(std::ranges::equal(entries, c.list) && (c.kind != forms::Kind::ComboBox || Combo(h).Selection() == -1));
        // Labels transparent over the picture, wrapping at spaces, letting the mouse through to the window
        // and its pointer; the ink asked for.
        const COLORREF ink = c.ink ? RGB(c.ink->r, c.ink->g, c.ink->b) : GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc.get(), RGB(1, 2, 3));
        const UINT colourMessage = c.kind == forms::Kind::Label ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
        const LRESULT brush = SendMessageW(Form().hwnd(), colourMessage, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(h.hwnd()));
        if (c.kind == forms::Kind::Label) {
            EXPECT_EQ(std::tuple(reinterpret_cast<HGDIOBJ>(brush), GetBkMode(dc.get()), GetTextColor(dc.get())), std::tuple(GetStockObject(NULL_BRUSH), TRANSPARENT, ink));
            EXPECT_EQ(std::pair(style & (SS_TYPEMASK | WS_BORDER), h.Send(WM_NCHITTEST)), std::pair(LONG_PTR{SS_LEFT}, LRESULT{HTTRANSPARENT}));
            EXPECT_EQ(PointerOver(Form().hwnd()), pointers[static_cast<size_t>(w.desc->pointer)]);
        } else {
            EXPECT_TRUE(c.kind != forms::Kind::TextBox || GetTextColor(dc.get()) == ink);
            EXPECT_EQ(PointerOver(h.hwnd()), c.pointer == forms::Pointer::System ? nullptr : pointers[static_cast<size_t>(c.pointer)]);
        }
        // Tab stops as the order has them; plain push buttons: Enter and Esc press nothing by themselves.
        EXPECT_EQ((style & WS_TABSTOP) != 0, std::ranges::find(w.tabOrder, c.id) != w.tabOrder.end());
        EXPECT_TRUE(c.kind != forms::Kind::Button || (style & BS_TYPEMASK) == BS_PUSHBUTTON);
    }
    // The focus starts on the first control of the order, and Tab walks it round.
    for (int tries = 0; tries < 50 && GetFocus() != Form().control(w.tabOrder.front()); ++tries) {
        SetForegroundWindow(Form().hwnd());  // another test process on the display may hold the activation
        Pump();
        Sleep(10);
    }
    HWND at = GetFocus();
    for (size_t i = 0; i <= w.tabOrder.size(); at = GetNextDlgTabItem(Form().hwnd(), at, FALSE), ++i)
        EXPECT_EQ(at, Form().control(w.tabOrder[i % w.tabOrder.size()])) << "step " << i;
}

// Records the names given and taken back, standing in for the system's service, which Wine 8 keeps none in.
struct RecordedNames : forms::NameService {
    std::map<HWND, std::wstring> given, takenBack;
    void Name(HWND h, std::wstring_view name) override { given[h] = name; }
    void Unname(HWND h) override { takenBack[h] = given[h]; }
};
class Naming : public EveryWindow {
protected:
    void SetUp() override {
        program_.names().UseService(&names_);  // before any window is built
        EveryWindow::SetUp();
    }
    void TearDown() override { program_.names().UseService(nullptr); }
    RecordedNames names_;
};

// A screen reader's name for each box, button and result: the program's (given once a reader
// asks, taken back when the window goes), the label's just before it, or its caption.
TEST_P(Naming, EveryBoxButtonAndResultOnlyOnceAScreenReaderAsks) {
    EXPECT_TRUE(names_.given.empty());
    std::map<HWND, std::wstring> expected;
    for (const auto& [id, name, by] : GetParam().names) {
        SCOPED_TRACE(testing::Message() << "control " << id);
        const HWND h = Form().control(id);
        const std::wstring spoken = SpokenName(h);
        if (by == Named::ByProgram) expected[h] = name;
        else EXPECT_EQ(by == Named::ByCaption ? spoken : Trimmed(Window(GetWindow(h, GW_HWNDPREV)).Text()), name);
        // The label's name is spoken for a box; Wine's for a combo is its field's text.
        EXPECT_TRUE(by != Named::ByLabelBefore || GetParam().desc->controls[size_t(id)].kind != forms::Kind::TextBox || Trimmed(spoken) == name);
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

// Moved to another density, the window takes the frame offered, lays itself out anew, keeps its contents.
TEST_F(ProgramTest, ADensityChangeMovesEveryControlAndKeepsWhatWasTypedAndComputed) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo4);
    Control(Text4).SetText(L"205");
    Type(Combo(Control(Combo5)).Field(), L"55");
    Click(Przelicz);
    const auto contents = [&] {
        std::vector<std::wstring> all;
        for (const forms::ControlDesc& c : ui::kForm1.controls) all.push_back(Text(c.id) + L"|" + std::to_wstring(Combo(Control(c.id)).Selection()));
        return all;
    };
    const std::vector<std::wstring> before = contents();
    const HWND form = Main().hwnd();
    for (int dpi : {192, 120}) {
        // The client area of the new density in the frame (Wine's frames keep the system's).
        RECT offered = Window(form).Rect();
        const RECT client = Window(form).Client();
        offered.right += kForms[0].client[Density(dpi)].cx - client.right;
        offered.bottom += kForms[0].client[Density(dpi)].cy - client.bottom;
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
        const RECT taken = Window(form).Rect();
        EXPECT_TRUE(EqualRect(&taken, &offered)) << dpi;
        ExpectLaidOut(kForms[0], Main(), dpi, false);  // faces: this prefix's fonts are registered for 96 dpi
        EXPECT_TRUE(PaintsTheArtwork(form)) << dpi;
        EXPECT_EQ(contents(), before);
    }
    EXPECT_TRUE(errors_.empty());
}

const auto kName = [](const auto& param) { return std::string(param.param.name); };
INSTANTIATE_TEST_SUITE_P(Forms, EveryWindow, ::testing::ValuesIn(kForms), kName);
INSTANTIATE_TEST_SUITE_P(Forms, Naming, ::testing::ValuesIn(kForms), kName);

}  // namespace
}  // namespace tarvex_test
