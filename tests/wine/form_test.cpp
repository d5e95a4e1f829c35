// Each window as it opens: the real controls against the tables (which the native tests check
// against hand-worked values), and what a user and a screen reader meet there.

#include <oleacc.h>

#include <map>

#include "harness.h"

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

}  // namespace
}  // namespace tarvex_test
