// The main window as it opens, and how the program ends.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

using MainWindow = ProgramTest;

std::vector<std::wstring> Entries(HWND combo) {
    std::vector<std::wstring> entries;
    const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

TEST_F(MainWindow, OpensAloneWithItsFixedFrame) {
    HWND form = Main().hwnd();
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_FALSE(program_.Form2.exists());
    EXPECT_FALSE(program_.Form3.exists());
    EXPECT_EQ(WindowText(form), L"Tarvex zamienników opon samochodowych v1.2 by ZELT");

    RECT client;
    GetClientRect(form, &client);
    EXPECT_EQ(client.right, 699);
    EXPECT_EQ(client.bottom, 500);

    const auto style = GetWindowLongPtrW(form, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    // Owned by a hidden window: no taskbar button of its own.
    HWND owner = GetWindow(form, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_NE(reinterpret_cast<HICON>(GetClassLongPtrW(form, GCLP_HICON)), nullptr);
}

TEST_F(MainWindow, ShowsItsInitialValues) {
    const std::vector<std::wstring> widths{L"145", L"155", L"165", L"175", L"185", L"195",
                                           L"205", L"215", L"225", L"235", L"inna"};
    const std::vector<std::wstring> profiles{L"35", L"40", L"45", L"50", L"55", L"60",
                                             L"65", L"70", L"80", L"82", L"inny"};
    const std::vector<std::wstring> rims{L"13", L"14", L"15", L"16", L"17", L"18", L"19", L"20", L"inna"};
    const struct {
        int combo;
        const std::vector<std::wstring>& entries;
        const wchar_t* field;
    } selectors[] = {{Combo1, widths, L"135"}, {Combo2, profiles, L"30"}, {Combo3, rims, L"12"},
                     {Combo4, widths, L"135"}, {Combo5, profiles, L"30"}, {Combo6, rims, L"12"}};
    for (const auto& s : selectors) {
        SCOPED_TRACE(s.combo);
        EXPECT_EQ(Entries(Control(s.combo)), s.entries);
        EXPECT_EQ(Text(s.combo), s.field);
        EXPECT_EQ(Main().ListIndex(s.combo), -1);
        EXPECT_EQ(Text(s.combo + Text1 - Combo1), L"");  // the paired box below
    }
    for (int box : {srdnicaakt, srednicanew, roznica, procentbl}) EXPECT_EQ(Text(box), L"0");
    const int readings[] = {Label15, Label16, Label17, Label18, Label19, Label20};
    const int actual[] = {Label21_1, Label22, Label23, Label24, Label25, Label26};
    for (int row = 0; row < 6; ++row) EXPECT_EQ(Text(actual[row]), Text(readings[row]));
    for (int unit = Label27_0; unit <= Label27_11; ++unit)
        if (ui::kForm1.controls[static_cast<size_t>(unit)].name == L"Label27") {
            EXPECT_EQ(Text(unit), L"km/h");
        }
}

TEST_F(MainWindow, PlacesEveryControlAtItsTwips) {
    for (const app::ControlDesc& c : ui::kForm1.controls) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()) + "(" + std::to_string(c.element) + ")");
        HWND h = Control(c.id);
        ASSERT_NE(h, nullptr);
        const RECT r = PlaceOf(h);
        EXPECT_EQ(r.left, c.place.left / 15);
        EXPECT_EQ(r.top, c.place.top / 15);
        EXPECT_EQ(r.right - r.left, c.place.width / 15);
        if (c.kind != app::Kind::ComboBox) {
            EXPECT_EQ(r.bottom - r.top, c.place.height / 15);
        }
        EXPECT_EQ(WindowText(h), std::wstring(c.text));
        EXPECT_TRUE(IsWindowVisible(h));
        EXPECT_TRUE(IsWindowEnabled(h));
    }
}

TEST_F(MainWindow, UsesMsSansSerifInTheCentralEuropeanCharacterSet) {
    const int bold[] = {Label1, Label2, Label8, Label15, Label16, Label17, Label18, Label19, Label20,
                        Label21_1, Label22, Label23, Label24, Label25, Label26,
                        srdnicaakt, srednicanew, roznica, procentbl, Przelicz};
    for (const app::ControlDesc& c : ui::kForm1.controls) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Control(c.id), WM_GETFONT, 0, 0)), sizeof(font), &font));
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -11);  // 8.25 points at 96 dpi
        EXPECT_EQ(font.lfCharSet, EASTEUROPE_CHARSET);
        const bool isBold = std::find(std::begin(bold), std::end(bold), c.id) != std::end(bold);
        EXPECT_EQ(font.lfWeight, isBold ? FW_BOLD : FW_NORMAL);
    }
}

TEST_F(MainWindow, DrawsResultsDarkRedAndLabelsOverThePicture) {
    const int red[] = {srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24, Label25, Label26};
    HDC dc = CreateCompatibleDC(nullptr);
    for (const app::ControlDesc& c : ui::kForm1.controls) {
        if (c.kind != app::Kind::Label && c.kind != app::Kind::TextBox) continue;
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        SetTextColor(dc, RGB(1, 2, 3));
        const UINT message = c.kind == app::Kind::Label ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
        const auto brush = SendMessageW(Main().hwnd(), message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Control(c.id)));
        const bool isRed = std::find(std::begin(red), std::end(red), c.id) != std::end(red);
        if (isRed) {
            EXPECT_EQ(GetTextColor(dc), RGB(128, 0, 0));
        } else if (c.kind == app::Kind::Label) {
            EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
        }
        if (c.kind == app::Kind::Label) {
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), GetStockObject(NULL_BRUSH));
            // Labels let the mouse through to the window, whose own pointer shows over them.
            EXPECT_EQ(SendMessageW(Control(c.id), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
        }
    }
    DeleteDC(dc);
}

TEST_F(MainWindow, ShowsItsOwnPointersOverBackgroundBoxesAndButtons) {
    const auto pointerOver = [&](HWND target) -> HCURSOR {
        SetCursor(nullptr);
        const auto handled = SendMessageW(Main().hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                                          MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return handled ? GetCursor() : nullptr;  // null: the control's own pointer
    };
    EXPECT_EQ(pointerOver(Main().hwnd()), program_.Cursor(app::Pointer::Arrow));
    for (int box : {Text1, Text2, Text3, Text4, Text5, Text6}) EXPECT_EQ(pointerOver(Control(box)), program_.Cursor(app::Pointer::IBeam));
    for (int button : {Przelicz, Command1, Command2, Command3}) EXPECT_EQ(pointerOver(Control(button)), program_.Cursor(app::Pointer::Busy));
    for (int other : {Combo1, Combo6, srdnicaakt, procentbl}) EXPECT_EQ(pointerOver(Control(other)), nullptr);
    for (auto p : {app::Pointer::Arrow, app::Pointer::IBeam, app::Pointer::Busy}) EXPECT_NE(program_.Cursor(p), nullptr);
}

TEST_F(MainWindow, TabsThroughTheControlsInItsOrderStartingAtPrzelicz) {
    const int order[] = {Przelicz, Combo1, Combo2, Combo3, Text1, Text2, Text3, Command1, Combo4, Combo5,
                         Combo6, Text4, Text5, Text6, srdnicaakt, srednicanew, roznica, procentbl, Command2, Command3};
    HWND form = Main().hwnd();
    // Another test process on the same display may hold the activation for a moment.
    for (int tries = 0; tries < 50 && GetFocus() != Control(Przelicz); ++tries) {
        SetForegroundWindow(form);
        Pump();
        Sleep(10);
    }
    EXPECT_EQ(GetFocus(), Control(Przelicz));
    HWND at = Control(Przelicz);
    for (size_t i = 1; i <= std::size(order); ++i) {
        at = GetNextDlgTabItem(form, at, FALSE);
        EXPECT_EQ(at, Control(order[i % std::size(order)])) << "step " << i;
    }
    // No default or cancel button: Enter and Esc press nothing.
    for (int button : {Przelicz, Command1, Command2, Command3})
        EXPECT_EQ(GetWindowLongPtrW(Control(button), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(MainWindow, EnterAndEscapeInABoxRunNoHandler) {
    SetFocus(Control(Text1));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        MSG msg{Control(Text1), WM_KEYDOWN, key, 0, 0, {}};
        IsDialogMessageW(Main().hwnd(), &msg);
    }
    Pump();
    EXPECT_FALSE(program_.ended());
    EXPECT_EQ(Text(srdnicaakt), L"0");
    EXPECT_FALSE(program_.Form2.exists());
}

}  // namespace
}  // namespace tarvex_test
