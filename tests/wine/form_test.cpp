// Each window as it opens, checked against its own table: the runtime must build what the
// table says, control by control.

#include <algorithm>
#include <cmath>
#include <tuple>

#include "app/picture.h"
#include "harness.h"

namespace tarvex_test {
namespace {

constexpr int kPixel = 15;  // twips at 96 dpi

struct Case {
    const char* name;
    app::FormRef app::Program::*ref;
    const app::FormDesc* desc;
};
const Case kForms[] = {{"Main", &app::Program::Form1, &ui::kForm1},
                       {"About", &app::Program::Form2, &ui::kForm2},
                       {"Help", &app::Program::Form3, &ui::kForm3}};

class EveryWindow : public ProgramTest, public ::testing::WithParamInterface<Case> {
protected:
    app::Form& Form() { return (program_.*GetParam().ref).get(); }
    const app::FormDesc& Desc() { return *GetParam().desc; }
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

TEST_P(EveryWindow, HasItsFixedFrameCaptionSizeAndNoTaskbarButton) {
    const Window form = Form().hwnd();
    EXPECT_EQ(form.Text(), Desc().caption);
    const RECT client = form.Client();
    EXPECT_EQ(std::tuple(client.right, client.bottom),
              std::tuple(Desc().clientWidth / kPixel, Desc().clientHeight / kPixel));
    const auto style = GetWindowLongPtrW(form.hwnd(), GWL_STYLE), exStyle = GetWindowLongPtrW(form.hwnd(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(exStyle & (WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW), WS_EX_DLGMODALFRAME);
    // Owned by the hidden program window, not by another form.
    EXPECT_EQ(GetWindow(form.hwnd(), GW_OWNER), program_.owner());
    EXPECT_FALSE(IsWindowVisible(program_.owner()));
    EXPECT_NE(reinterpret_cast<HICON>(GetClassLongPtrW(form.hwnd(), GCLP_HICON)), nullptr);
}

TEST_P(EveryWindow, PaintsItsPictureUnscaledFromTheTopLeftCorner) {
    const RECT client = Window(Form().hwnd()).Client();
    app::ScopedBitmap picture = app::LoadJpegResource(GetModuleHandleW(nullptr), Desc().picture);
    app::ScopedDc pictureDc(CreateCompatibleDC(nullptr)), dc(CreateCompatibleDC(nullptr));
    app::Selection source(pictureDc.get(), picture.get());
    app::ScopedBitmap painted(CreateCompatibleBitmap(pictureDc.get(), client.right, client.bottom));
    app::Selection target(dc.get(), painted.get());
    SendMessageW(Form().hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    for (int y = 0; y < client.bottom; y += 7)
        for (int x = 0; x < client.right; x += 5)
            ASSERT_EQ(GetPixel(dc.get(), x, y), GetPixel(pictureDc.get(), x, y)) << x << "," << y;
}

TEST_P(EveryWindow, BuildsEveryRowAsAControlAtItsTwipsWithItsTextFontColourAndPointer) {
    int children = 0;
    for (HWND c = GetWindow(Form().hwnd(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, static_cast<int>(Desc().controls.size()));  // nothing more
    app::ScopedDc dc(CreateCompatibleDC(nullptr));
    for (const app::ControlDesc& c : Desc().controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const Window h = Form().control(c.id);
        ASSERT_TRUE(h && h.Visible() && IsWindowEnabled(h.hwnd()));
        wchar_t cls[16] = {};
        GetClassNameW(h.hwnd(), cls, 16);
        const wchar_t* kClasses[] = {L"static", L"edit", L"combobox", L"button"};
        EXPECT_EQ(_wcsicmp(cls, kClasses[static_cast<int>(c.kind)]), 0) << cls;

        const RECT r = h.Place();
        EXPECT_EQ((std::array{r.left, r.top, r.right - r.left}),
                  (std::array<LONG, 3>{c.place.left / kPixel, c.place.top / kPixel, c.place.width / kPixel}));
        // A combo's closed height is its font's, as everywhere in Windows.
        if (c.kind != app::Kind::ComboBox) {
            EXPECT_EQ(r.bottom - r.top, c.place.height / kPixel);
        }
        EXPECT_EQ(h.Text(), c.text);
        if (c.kind == app::Kind::ComboBox) {
            const Combo combo(h);
            EXPECT_EQ(combo.Selection(), -1);
            std::vector<std::wstring> entries(static_cast<size_t>(combo.Count()));
            for (size_t i = 0; i < entries.size(); ++i) combo.Entry(static_cast<int>(i), entries[i]);
            EXPECT_TRUE(std::ranges::equal(entries, c.list));
        }

        LOGFONTW f{};
        ASSERT_TRUE(GetObjectW(h.Font(), sizeof f, &f));
        EXPECT_EQ(std::tuple(f.lfHeight, f.lfWeight, f.lfCharSet),
                  std::tuple(-std::lround(c.font.points * 96 / 72), c.font.weight, BYTE{EASTEUROPE_CHARSET}));
        // Wine's Central European MS Sans Serif has its 8 and 10 point sizes: those stay in it.
        if (c.font.points < 12) {
            EXPECT_STREQ(f.lfFaceName, L"MS Sans Serif");
        }

        const COLORREF ink = c.ink ? RGB(c.ink->r, c.ink->g, c.ink->b) : GetSysColor(COLOR_WINDOWTEXT);
        SetTextColor(dc.get(), RGB(1, 2, 3));
        if (c.kind == app::Kind::Label) {
            // Transparent over the picture, wrapping at spaces, letting the mouse through to the window.
            const LRESULT brush = SendMessageW(Form().hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                               reinterpret_cast<LPARAM>(h.hwnd()));
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
            EXPECT_EQ(std::tuple(GetBkMode(dc.get()), GetTextColor(dc.get())), std::tuple(TRANSPARENT, ink));
            EXPECT_EQ(GetWindowLongPtrW(h.hwnd(), GWL_STYLE) & (SS_TYPEMASK | WS_BORDER), SS_LEFT);
            EXPECT_EQ(h.Send(WM_NCHITTEST), HTTRANSPARENT);
            // The window's own pointer; the system arrow where it has none.
            EXPECT_EQ(PointerOver(Form().hwnd()), program_.Cursor(Desc().pointer));
        } else {
            if (c.kind == app::Kind::TextBox) {
                SendMessageW(Form().hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(h.hwnd()));
                EXPECT_EQ(GetTextColor(dc.get()), ink);
            }
            EXPECT_EQ(PointerOver(h.hwnd()), c.pointer == app::Pointer::System ? nullptr : program_.Cursor(c.pointer));
        }
    }
}

TEST_P(EveryWindow, TabsThroughItsOwnOrderFromTheFirstControl) {
    const HWND form = Form().hwnd();
    const auto& order = Desc().tabOrder;
    // Another test process on the same display may hold the activation for a moment.
    for (int tries = 0; tries < 50 && GetFocus() != Form().control(order.front()); ++tries) {
        SetForegroundWindow(form);
        Pump();
        Sleep(10);
    }
    EXPECT_EQ(GetFocus(), Form().control(order.front()));
    HWND at = Form().control(order.front());
    for (size_t i = 1; i <= order.size(); ++i) {
        at = GetNextDlgTabItem(form, at, FALSE);
        EXPECT_EQ(at, Form().control(order[i % order.size()])) << "step " << i;
    }
    for (const app::ControlDesc& c : Desc().controls) {
        const bool stop = std::ranges::find(order, c.id) != order.end();
        EXPECT_EQ((GetWindowLongPtrW(Form().control(c.id), GWL_STYLE) & WS_TABSTOP) != 0, stop) << "control " << c.id;
        // No default or cancel button: Enter and Esc press nothing by themselves.
        if (c.kind == app::Kind::Button) {
            EXPECT_EQ(GetWindowLongPtrW(Form().control(c.id), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, EveryWindow, ::testing::ValuesIn(kForms),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvex_test
