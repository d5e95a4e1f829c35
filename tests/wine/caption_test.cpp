// Every text whole in its control, in the font really drawn, whatever fonts the host has:
// also run in a prefix without the Central European MS Sans Serif. And the windows in a prefix
// with white on black system colours: as a dark scheme shows them, and in high contrast, which
// Wine cannot switch on, so the program is told it is.

#include "harness.h"

namespace tarvex_test {
namespace {

// A text drawn in black as a control draws it, in a box of this size (0: the text's extent) on a
// canvas 40 pixels larger: its dark pixels, the rows they span, its widest run of blank columns
// between inked ones, and the ink outside the box, right of it or below, which the control cuts off
// (ink: what is seen, also the grey of a thin stem smoothed).
struct Ink { int dark = 0, rows = 0, widestGap = 0, outside = 0; };
Ink InkOf(HDC dc, std::wstring_view text, UINT flags = DT_SINGLELINE, int width = 0, int height = 0) {
    SIZE box{width, height};
    if (!width) GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &box);
    const int cx = box.cx + 40, cy = box.cy + 40;
    const forms::Canvas canvas(dc, cx, cy);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    RECT room{0, 0, box.cx, cy};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &room, flags | DT_NOPREFIX | DT_NOCLIP);
    const auto pixels = canvas.Pixels();
    Ink ink;
    std::vector<int> columns(static_cast<size_t>(cx));
    for (int y = 0; y < cy; ++y) {
        int row = 0;
        for (int x = 0; x < cx; ++x) {
            const auto level = pixels[static_cast<size_t>(y * cx + x)] & 0xFF;  // visible from a quarter grey
            const bool dark = level < 0x80, seen = level < 0xC0;
            row += dark;
            columns[static_cast<size_t>(x)] += seen;
            ink.outside += seen && (x >= box.cx || y >= box.cy);
        }
        ink.dark += row;
        ink.rows += row > 0;
    }
    for (int run = -1; int column : columns) {  // run -1: no ink yet
        if (column) ink.widestGap = std::max(ink.widestGap, run), run = 0;
        else if (run >= 0) ++run;
    }
    return ink;
}

// The room an edit gives its text, in pixels.
int RoomIn(Window edit) {
    RECT r{};
    edit.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

using Captions = ProgramTest;

TEST_F(Captions, EveryFixedCaptionFitsItsControlInAFontThatLooksAsItShould) {
    for (const WindowCase& w : kWindows) {
        forms::Form& form = Ref(w).get();
        form.Show();
        forms::ScopedDc dc(CreateCompatibleDC(nullptr));
        for (const forms::ControlDesc& c : w.desc.controls) {
            const Window h = form.control(c.id);
            const std::wstring text = h.Text();
            forms::Selection selected(dc.get(), h.Font());
            LOGFONTW lf = FontOf(h);
            SCOPED_TRACE(testing::Message() << testing::PrintToString(text.substr(0, 30)) << " in "
                                            << testing::PrintToString(std::wstring(lf.lfFaceName)));
            // A sans face of letters of varying widths (the flag's name says the opposite), never serif or fixed.
            TEXTMETRICW tm{};
            GetTextMetricsW(dc.get(), &tm);
            EXPECT_EQ(tm.tmPitchAndFamily & 0xF1, FF_SWISS | TMPF_FIXED_PITCH);
            // As drawn, not as the metrics say: "W" to "j" spans most of the em (not a smaller face's letters
            // between stretched advances), no gap in a word wider than a third of it, bold a quarter heavier.
            const int em = -lf.lfHeight;
            EXPECT_GE(InkOf(dc.get(), L"Wj").rows * 3, em * 2);
            for (size_t at = 0, end; at < text.size(); at = end + 1) {
                end = std::min(text.find_first_of(L" \r\n", at), text.size());
                EXPECT_LE(InkOf(dc.get(), std::wstring_view(text).substr(at, end - at)).widestGap, em / 3) << at;
            }
            if (lf.lfWeight >= FW_BOLD) {
                const int bold = InkOf(dc.get(), text).dark;
                lf.lfWeight = FW_NORMAL;
                forms::ScopedFont regularFont(CreateFontIndirectW(&lf));
                forms::Selection regular(dc.get(), regularFont.get());
                const int ink = InkOf(dc.get(), text).dark;
                EXPECT_GE(bold * 4, ink * 5) << bold << " dark pixels in bold, " << ink << " in regular";
            }
            const RECT box = h.Place();
            const int width = box.right - box.left, height = box.bottom - box.top;
            const auto outside = [&](std::wstring_view t, int room, UINT flags = DT_SINGLELINE) {
                return InkOf(dc.get(), t, flags, room, height).outside;
            };
            switch (c.kind) {
                case forms::Kind::Label:
                    EXPECT_EQ(outside(text, width, DT_WORDBREAK | DT_EXPANDTABS), 0);
                    // Lines broken where the text breaks them must not wrap again.
                    for (size_t at = 0, end; (end = text.find(L"\r\n", at)) != std::wstring::npos; at = end + 2)
                        EXPECT_EQ(outside(std::wstring_view(text).substr(at, end - at), width), 0) << "line at " << at;
                    break;
                case forms::Kind::Button: EXPECT_EQ(outside(text, h.Client().right - 6), 0); break;
                case forms::Kind::TextBox: EXPECT_EQ(outside(text, RoomIn(h)), 0); break;
                case forms::Kind::ComboBox:
                    EXPECT_EQ(outside(text, RoomIn(Combo(h).Field())), 0);
                    for (std::wstring_view entry : c.list) EXPECT_EQ(outside(entry, Combo(h).List().Client().right), 0);
                    break;
            }
        }
    }
}

// The longest results a click may write (it refuses longer ones): seven characters in a box, six
// in a speed label, with either decimal separator; the faces' digits are all one width. Each
// whole in its control and clear of its unit.
TEST_F(Captions, TheLongestResultsFitTheirControlsAndStayClearOfTheirUnits) {
    const forms::ScopedDc dc(CreateCompatibleDC(nullptr));
    // Whole in its control: a line wrapped in its label, a result on one line and clear of its unit.
    const auto expectFits = [&](int id, UINT flags = DT_SINGLELINE) {
        const Window h = Control(id);
        const RECT box = h.Place();
        int room = id < Label21_1 ? RoomIn(h) : box.right - box.left;
        if (flags == DT_SINGLELINE) room = std::min<int>(room, Control(id + 1).Place().left - box.left);
        forms::Selection selected(dc.get(), h.Font());
        EXPECT_EQ(InkOf(dc.get(), h.Text(), flags, room, box.bottom - box.top).outside, 0)
            << testing::PrintToString(h.Text()) << " in " << room;
    };
    for (int id : kResults)
        for (const wchar_t* text : id < Label21_1 ? std::array{L"8888.88", L"8888,88", L"-888.88", L"-888,88"}
                                                  : std::array{L"888.88", L"888,88", L"-88.88", L"-88,88"}) {
            Main().SetText(id, text);
            expectFits(id);
        }
    // The verdict's longest lines, wrapped in their labels.
    const std::wstring speedometer = L"Dokładny dziś prędkościomierz ";
    const std::pair<int, std::wstring> lines[] = {
        {Label31, L"Zmiana średnicy koła: -88,88 %"}, {Label31, L"Zmiana średnicy koła: 888,88 %"},
        {Label32, L"Poza przedziałem serwisów (od -2 % do +1,5 %), w granicach ±3 %."},
        {Label33, speedometer + L"zawyży o 8888,88 %: więcej, niż pozwala R39."},
        {Label33, speedometer + L"zaniży o 88,88 %: R39 (§5.3) na to nie pozwala."},
        {Label33, speedometer + L"pokaże prędkość rzeczywistą: zgodnie z R39."}};
    for (const auto& [id, line] : lines) {
        Main().SetText(id, line);
        expectFits(id, DT_WORDBREAK);
    }
}

bool highContrast = false;  // what the stand-in for the system's setting answers

// White on black or greys between (a letter's edges); the lightest, where there is text, 7:1
// against black at least, as accessibility guidelines ask: a grey of 149 or lighter.
::testing::AssertionResult WhiteOnBlack(const std::set<COLORREF>& drawn) {
    int lightest = 0;
    for (COLORREF c : drawn) {
        if (std::abs(GetRValue(c) - GetGValue(c)) > 3 || std::abs(GetGValue(c) - GetBValue(c)) > 3)
            return ::testing::AssertionFailure() << "colour " << std::hex << c;
        lightest = std::max<int>(lightest, GetGValue(c));
    }
    if (drawn.size() > 1 && lightest < 149) return ::testing::AssertionFailure() << "the lightest grey " << lightest;
    return ::testing::AssertionSuccess();
}

using DarkScheme = ProgramTest;

// First with high contrast off, as the system's own setting says under Wine: the picture, its band in
// the corner, light sand under every label. The labels in the design's black or their dark red there;
// the results in the boxes' black in the scheme's white, as dark red on black (1.9:1) is hard to read.
// Then the user switches high contrast on: the system colours, no picture, the contents kept.
TEST_F(DarkScheme, ShowsThePictureWithDarkLabelsAndLightResultsThenInHighContrastOnlyTheSystemColours) {
    const std::array scheme{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNTEXT),
                            GetSysColor(COLOR_WINDOWTEXT)};
    ASSERT_EQ(scheme, (std::array<COLORREF, 4>{0, 0, 0xFFFFFF, 0xFFFFFF})) << "not in the prefix with the black scheme";
    ChooseReferencePair();
    for (int button : {Przelicz, Command2, Command3}) Click(button);
    std::vector<std::vector<std::wstring>> before;
    for (const WindowCase& w : kWindows) before.push_back(Contents(Ref(w).get(), w.desc));
    for (const bool on : {false, true}) {
        if (on) {
            program_.UseHighContrastQuery([] { return highContrast; });
            highContrast = true;  // the user switches it on: the system tells every window
            for (const WindowCase& w : kWindows) SendMessageW(Ref(w)->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
        }
        for (const WindowCase& w : kWindows) {
            SCOPED_TRACE(testing::Message() << w.name << (on ? " in high contrast" : ""));
            const forms::Form& form = Ref(w).get();
            const Shot shot(form.hwnd());
            std::vector<RECT> controls, boxes;  // boxes: what labels may reach under
            for (const forms::ControlDesc& c : w.desc.controls) {
                controls.push_back(Window(form.control(c.id)).Place());
                if (c.kind != forms::Kind::Label) boxes.push_back(controls.back());
            }
            // In high contrast the button face wherever no control is.
            if (on) {
                EXPECT_EQ(shot.Colours(Window(form.hwnd()).Client(), controls), std::set{scheme[0]});
            } else {
                EXPECT_FALSE(shot.Colours({0, 0, 8, 8}).contains(scheme[0]));
            }
            for (const forms::ControlDesc& c : w.desc.controls) {
                RECT r = Window(form.control(c.id)).Client();
                MapWindowPoints(form.control(c.id), form.hwnd(), reinterpret_cast<POINT*>(&r), 2);
                const bool label = c.kind == forms::Kind::Label;
                // The verdict's band in the practice band's green: -0.41 %.
                const COLORREF ink = &w.desc == &ui::kForm1 && c.id == Label32 ? RGB(0, 100, 0)
                                     : c.ink ? RGB(c.ink->r, c.ink->g, c.ink->b) : 0;
                if (label && !on) {
                    EXPECT_TRUE(shot.Colours(r, boxes).contains(ink)) << c.id;
                } else if (label || (c.kind == forms::Kind::TextBox && (on || c.ink))) {
                    EXPECT_TRUE(WhiteOnBlack(shot.Colours(r, label ? boxes : std::vector<RECT>{}))) << c.id;
                }
            }
        }
    }
    std::vector<std::vector<std::wstring>> after;
    for (const WindowCase& w : kWindows) after.push_back(Contents(Ref(w).get(), w.desc));
    EXPECT_EQ(after, before);
    highContrast = false;
    EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace tarvex_test
