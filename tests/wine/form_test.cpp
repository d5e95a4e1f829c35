// Each window as it opens, checked control by control against its own table.

#include <oleacc.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "forms/platform.h"
#include "forms/fonts.h"
#include "forms/picture.h"
#include "harness.h"
#include "resource_ids.h"

namespace tarvex_test {
namespace {

// The screen's density, as the system reports it to any program: the test's own yardstick.
int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LONG Px(int twips, int dpi = ScreenDpi()) { return MulDiv(twips, dpi, 1440); }

// Every control at its twips and in its font's points, at this density.
void ExpectLaidOut(forms::Form& form, const forms::FormDesc& desc, int dpi) {
    for (const forms::ControlDesc& c : desc.controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id << " at " << dpi << " dpi");
        const Window h = form.control(c.id);
        const RECT r = h.Place();
        EXPECT_EQ((std::array{r.left, r.top, r.right}),
                  (std::array{Px(c.place.left, dpi), Px(c.place.top, dpi), Px(c.place.left, dpi) + Px(c.place.width, dpi)}));
        // A combo's closed height is its font's, as everywhere in Windows.
        if (c.kind != forms::Kind::ComboBox) {
            EXPECT_EQ(r.bottom - r.top, Px(c.place.height, dpi));
        }
        LOGFONTW f{};
        ASSERT_TRUE(GetObjectW(h.Font(), sizeof f, &f));
        EXPECT_EQ(std::tuple(f.lfHeight, f.lfWeight, f.lfCharSet),
                  std::tuple(-static_cast<LONG>(std::floor(c.font.points * dpi / 72)), c.font.weight, BYTE{EASTEUROPE_CHARSET}));
    }
}

struct Case {
    const char* name;
    forms::FormRef& (forms::Program::*ref)();
    const forms::FormDesc* desc;
};
const Case kForms[] = {{"Main", &forms::Program::Form1, &ui::kForm1},
                       {"About", &forms::Program::Form2, &ui::kForm2},
                       {"Help", &forms::Program::Form3, &ui::kForm3}};

// The program's own pointers as its resources hold them; the system arrow for the rest.
HCURSOR Expected(forms::Pointer pointer) {
    const int resource[] = {0, IDC_TARVEX_ARROW, IDC_TARVEX_IBEAM, IDC_TARVEX_BUSY};
    return pointer == forms::Pointer::System
               ? LoadCursorW(nullptr, IDC_ARROW)
               : LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource[static_cast<int>(pointer)]));
}

std::wstring Trimmed(std::wstring_view text) { return std::wstring(text.substr(0, text.find_last_not_of(L' ') + 1)); }

// The name the accessibility layer gives a control; empty when it has none.
std::wstring SpokenName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&object))))
        return L"";
    VARIANT self{};
    self.vt = VT_I4;  // CHILDID_SELF: 0
    BSTR name = nullptr;
    std::wstring text;
    if (object->get_accName(self, &name) == S_OK && name) text = name;
    SysFreeString(name);
    object->Release();
    return text;
}

// Records the names given and taken back (with the name it had), standing in for the
// system's service, which Wine 8 keeps none in.
struct RecordedNames : forms::NameService {
    std::map<HWND, std::wstring> given, takenBack;
    void Name(HWND h, std::wstring_view name) override { given[h] = name; }
    void Unname(HWND h) override { takenBack[h] = given[h]; }
};

// An icon's width, and its colour and mask pixels as 32-bit values.
std::pair<LONG, std::vector<DWORD>> IconImage(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    const forms::ScopedBitmap mask(info.hbmMask), colour(info.hbmColor);
    BITMAP m{};
    GetObjectW(mask.get(), sizeof m, &m);
    std::vector<DWORD> pixels(static_cast<size_t>(m.bmWidth * m.bmWidth) * 2);
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (auto [bitmap, to] : {std::pair{colour.get(), pixels.data()}, {mask.get(), pixels.data() + pixels.size() / 2}}) {
        BITMAPINFO format{{sizeof(BITMAPINFOHEADER), m.bmWidth, -m.bmWidth, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(m.bmWidth), to, &format, DIB_RGB_COLORS);
    }
    return {m.bmWidth, pixels};
}

// The program's icon image nearest a size, decoded straight from its RT_ICON resource.
forms::ScopedIcon ResourceIcon(int size) {
    const HMODULE self = GetModuleHandleW(nullptr);
    const auto data = [self](int id, LPCWSTR type) {
        const HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), type);
        return std::pair{static_cast<BYTE*>(LockResource(LoadResource(self, found))), SizeofResource(self, found)};
    };
    const int id = LookupIconIdFromDirectoryEx(data(IDI_TARVEX, RT_GROUP_ICON).first, TRUE, size, size, LR_DEFAULTCOLOR);
    const auto [bits, length] = data(id, RT_ICON);
    return forms::ScopedIcon(bits ? CreateIconFromResourceEx(bits, length, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR) : nullptr);
}

class EveryWindow : public ProgramTest, public ::testing::WithParamInterface<Case> {
protected:
    forms::Form& Form() { return (program_.*GetParam().ref)().get(); }
    const forms::FormDesc& Desc() { return *GetParam().desc; }
    void SetUp() override {
        ProgramTest::SetUp();
        Form().Show();
        Pump();
    }
    // The pointer the window shows over itself or a child; null when it leaves the child its own.
    HCURSOR PointerOver(HWND target) {
        SetCursor(nullptr);
        const LRESULT handled = SendMessageW(Form().hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return handled || target == Form().hwnd() ? GetCursor() : nullptr;  // over itself: its class arrow
    }
};

TEST_P(EveryWindow, HasItsFixedFrameCaptionSizeIconsAndPictureAndNoTaskbarButton) {
    const Window form = Form().hwnd();
    EXPECT_EQ(form.Text(), Desc().caption);
    const RECT client = form.Client();
    EXPECT_EQ(std::tuple(client.right, client.bottom), std::tuple(Px(Desc().clientWidth), Px(Desc().clientHeight)));
    const auto style = GetWindowLongPtrW(form.hwnd(), GWL_STYLE), exStyle = GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW), WS_EX_DLGMODALFRAME);
    // Owned by the hidden program window, not by another form.
    EXPECT_EQ(GetWindow(form.hwnd(), GW_OWNER), program_.owner());
    EXPECT_FALSE(IsWindowVisible(program_.owner()));
    // The resource's own image of each size asked for at this density, not one scaled.
    for (auto [which, metric] : {std::pair{ICON_SMALL, SM_CXSMICON}, {ICON_BIG, SM_CXICON}}) {
        const int size = GetSystemMetrics(metric);
        const auto native = IconImage(ResourceIcon(size).get());
        EXPECT_EQ(native.first, size);
        EXPECT_TRUE(IconImage(reinterpret_cast<HICON>(form.Send(WM_GETICON, static_cast<WPARAM>(which)))) == native) << size;
    }
    EXPECT_TRUE(PaintsTheArtwork(form.hwnd(), Desc().picture, ScreenDpi()));
}

// At 150 % the band keeps its edges and the car is smoothed, not blown up pixel by pixel.
TEST(Artwork, AtOneAndAHalfTheBandStaysCrispAndTheCarSmooth) {
    const SIZE client{1049, 750};
    const forms::ScopedBitmap picture = forms::MakePicture(GetModuleHandleW(nullptr), IDB_CAR, 700, client, 144);
    forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    forms::Selection selected(dc.get(), picture.get());
    // The light line at the band's foot (rows 53 to 55 of the artwork) fills whole rows 80 and 81.
    for (int y : {80, 81}) EXPECT_TRUE(Near(GetPixel(dc.get(), 30, y), RGB(0x5F, 0x8F, 0xCF), 1)) << y;
    EXPECT_TRUE(Near(GetPixel(dc.get(), 30, 79), RGB(62, 109, 171), 2));  // half band, half line
    // Down the sill's lower edge (artwork row 115): trim to sand in steps, none half the way,
    // as pixels repeated from a smaller picture would jump.
    int first = GetGValue(GetPixel(dc.get(), 864, 165)), last = first, step = 0;
    for (int y = 166; y < 180; ++y) {
        const int level = GetGValue(GetPixel(dc.get(), 864, y));
        step = std::max(step, std::abs(level - last));
        last = level;
    }
    EXPECT_GT(last - first, 150);
    EXPECT_LE(2 * step, last - first);
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
    const std::pair<forms::DpiLookups, int> cases[] = {
        {{window, monitor, system}, 144},  {{nullptr, monitor, system}, 120}, {{unknown, monitor, system}, 120},
        {{nullptr, failing, system}, 96}, {{nullptr, nullptr, system}, 96},
    };
    for (const auto& [lookups, dpi] : cases) EXPECT_EQ(forms::DpiOf(GetDesktopWindow(), lookups), dpi);
}

TEST_P(EveryWindow, BuildsEveryRowAsAControlAtItsTwipsWithItsTextFontColourPointerAndTabStop) {
    ExpectLaidOut(Form(), Desc(), ScreenDpi());
    int children = 0;
    for (HWND c = GetWindow(Form().hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(Desc().controls.size()));  // nothing more
    forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (const forms::ControlDesc& c : Desc().controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const Window h = Form().control(c.id);
        ASSERT_TRUE(h && h.Visible() && IsWindowEnabled(h.hwnd()));
        wchar_t cls[16] = {};
        GetClassNameW(h.hwnd(), cls, 16);
        const wchar_t* kClasses[] = {L"static", L"edit", L"combobox", L"button"};
        EXPECT_EQ(_wcsicmp(cls, kClasses[static_cast<int>(c.kind)]), 0) << cls;

        EXPECT_EQ(h.Text(), c.text);
        // Boxes and combo fields take text of any length.
        if (c.kind == forms::Kind::TextBox || c.kind == forms::Kind::ComboBox) {
            EXPECT_GE((c.kind == forms::Kind::TextBox ? h : Combo(h).Field()).Send(EM_GETLIMITTEXT), 0x7FFFFFFE);
        }
        if (c.kind == forms::Kind::ComboBox) {
            const Combo combo(h);
            EXPECT_EQ(combo.Selection(), -1);
            std::vector<std::wstring> entries(static_cast<size_t>(combo.Count()));
            for (size_t i = 0; i < entries.size(); ++i) combo.Entry(static_cast<int>(i), entries[i]);
            EXPECT_TRUE(std::ranges::equal(entries, c.list));
        }

        // MS Sans Serif where Wine's has the size, else a replacement of the program's own list.
        LOGFONTW f{};
        GetObjectW(h.Font(), sizeof f, &f);
        const std::wstring_view face = f.lfFaceName;
        if (c.font.points < 12 && ScreenDpi() == 96) {
            EXPECT_EQ(face, L"MS Sans Serif");
        } else {
            EXPECT_TRUE(face == c.font.face || std::ranges::find(forms::kReplacementFaces, face) != std::end(forms::kReplacementFaces))
                << f.lfFaceName;
        }

        const COLORREF ink = c.ink ? RGB(c.ink->r, c.ink->g, c.ink->b) : GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc.get(), RGB(1, 2, 3));
        if (c.kind == forms::Kind::Label) {
            // Transparent over the picture, wrapping at spaces, letting the mouse through to the window.
            const LRESULT brush = SendMessageW(Form().hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                               reinterpret_cast<LPARAM>(h.hwnd()));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
            EXPECT_EQ(std::tuple(GetBkMode(dc.get()), GetTextColor(dc.get())), std::tuple(TRANSPARENT, ink));
            EXPECT_EQ(GetWindowLongPtrW(h.hwnd(), GWL_STYLE) & (SS_TYPEMASK | WS_BORDER), SS_LEFT);
            EXPECT_EQ(h.Send(WM_NCHITTEST), HTTRANSPARENT);
            // The window's own pointer; the system arrow where it has none.
            EXPECT_EQ(PointerOver(Form().hwnd()), Expected(Desc().pointer));
        } else {
            if (c.kind == forms::Kind::TextBox) {
                SendMessageW(Form().hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(h.hwnd()));
                EXPECT_EQ(GetTextColor(dc.get()), ink);
            }
            EXPECT_EQ(PointerOver(h.hwnd()), c.pointer == forms::Pointer::System ? nullptr : Expected(c.pointer));
        }
        // A Tab stop where the order has it; no default or cancel button: Enter and Esc press nothing by themselves.
        const bool stop = std::ranges::find(Desc().tabOrder, c.id) != Desc().tabOrder.end();
        EXPECT_EQ((GetWindowLongPtrW(h.hwnd(), GWL_STYLE) & WS_TABSTOP) != 0, stop);
        if (c.kind == forms::Kind::Button) {
            EXPECT_EQ(GetWindowLongPtrW(h.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        }
    }
    // The focus starts on the first control of the order, and Tab walks it round.
    const auto& order = Desc().tabOrder;
    for (int tries = 0; tries < 50 && GetFocus() != Form().control(order.front()); ++tries) {
        SetForegroundWindow(Form().hwnd());  // another test process on the display may hold the activation
        Pump();
        Sleep(10);
    }
    HWND at = GetFocus();
    for (size_t i = 0; i <= order.size(); at = GetNextDlgTabItem(Form().hwnd(), at, FALSE), ++i)
        EXPECT_EQ(at, Form().control(order[i % order.size()])) << "step " << i;
}

// A screen reader's name for each box and button: the label before it, the program's, or its caption.
TEST_P(EveryWindow, NamesEveryBoxButtonAndResultForAScreenReader) {
    RecordedNames names;
    program_.names().UseService(&names);
    EXPECT_TRUE(names.given.empty());  // not before a screen reader asks
    std::map<HWND, std::wstring> expected;
    for (const forms::ControlDesc& c : Desc().controls) {
        if (std::ranges::find(Desc().tabOrder, c.id) == Desc().tabOrder.end() && c.spokenName.empty()) continue;
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const HWND h = Form().control(c.id);
        const auto caption = std::ranges::find(Desc().controls, c.id, &forms::ControlDesc::captionOf);
        if (caption != Desc().controls.end()) {
            EXPECT_EQ(GetWindow(h, GW_HWNDPREV), Form().control(caption->id));
            if (c.kind == forms::Kind::TextBox) {
                EXPECT_EQ(Trimmed(SpokenName(h)), Trimmed(caption->text));
            }
        } else if (!c.spokenName.empty()) {
            SpokenName(h);  // a screen reader asks
            expected[h] = c.spokenName;
        } else {
            ASSERT_EQ(c.kind, forms::Kind::Button) << "nothing names it";
            EXPECT_EQ(SpokenName(h), c.text);
        }
    }
    EXPECT_EQ(names.given, expected);
    SendMessageW(Form().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);  // taken back when the window goes
    EXPECT_EQ(names.takenBack, expected);
    program_.names().UseService(nullptr);
}

// Moved to another density, the window takes the frame offered, lays itself out anew, keeps its contents.
TEST_F(ProgramTest, ADensityChangeMovesEveryControlAndKeepsWhatWasTypedAndComputed) {
    using namespace ui::form1;
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo4);
    Put(Text4, L"205");
    Type(Combo(Control(Combo5)).Field(), L"55");
    Click(Przelicz);
    const auto contents = [&] {
        std::vector<std::wstring> all;
        for (const forms::ControlDesc& c : ui::kForm1.controls)
            all.push_back(Text(c.id) + L"|" + std::to_wstring(Combo(Control(c.id)).Selection()));
        return all;
    };
    const std::vector<std::wstring> before = contents();
    const HWND form = Main().hwnd();
    for (int dpi : {192, 120}) {
        SCOPED_TRACE(dpi);
        // The client area scaled to the new density in its frame (Wine's frames keep the system's).
        RECT offered = Window(form).Rect();
        const RECT client = Window(form).Client();
        offered.right += MulDiv(ui::kForm1.clientWidth, dpi, 1440) - client.right;
        offered.bottom += MulDiv(ui::kForm1.clientHeight, dpi, 1440) - client.bottom;
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&offered));
        const RECT taken = Window(form).Rect();
        EXPECT_TRUE(EqualRect(&taken, &offered));
        ExpectLaidOut(Main(), ui::kForm1, dpi);
        EXPECT_TRUE(PaintsTheArtwork(form, ui::kForm1.picture, dpi));
        EXPECT_EQ(contents(), before);
    }
    EXPECT_TRUE(errors_.empty());
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryWindow, ::testing::ValuesIn(kForms),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvex_test
