// High contrast, in a prefix with white on black system colours; Wine cannot switch the
// setting on, so the program is told it is.

#include <algorithm>
#include <cmath>

#include "harness.h"

namespace tarvex_test {
namespace {

bool highContrast = false;  // what the stand-in for the system's setting answers

// The contrast ratio of two colours as accessibility guidelines define it.
double Contrast(COLORREF a, COLORREF b) {
    const auto linear = [](int v) { const double s = v / 255.0; return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4); };
    const auto luminance = [&](COLORREF c) {
        return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c)) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// Only the system's text and background colours or their blend; the strongest ink 7:1 or more.
::testing::AssertionResult InSystemColours(const std::set<COLORREF>& drawn, int ink, int ground) {
    const COLORREF text = GetSysColor(ink), back = GetSysColor(ground);
    const int span[] = {GetRValue(text) - GetRValue(back), GetGValue(text) - GetGValue(back), GetBValue(text) - GetBValue(back)};
    const auto widest = std::ranges::max_element(span, {}, [](int v) { return std::abs(v); }) - std::begin(span);
    double strongest = 0;
    for (COLORREF c : drawn) {
        const int channels[] = {GetRValue(c) - GetRValue(back), GetGValue(c) - GetGValue(back), GetBValue(c) - GetBValue(back)};
        const double share = span[widest] ? double(channels[widest]) / span[widest] : 0;
        for (int i = 0; i < 3; ++i)
            if (share < 0 || share > 1 || std::abs(channels[i] - share * span[i]) > 3)
                return ::testing::AssertionFailure() << "colour " << std::hex << c;
        strongest = std::max(strongest, share);
    }
    const COLORREF inkDrawn = RGB(GetRValue(back) + strongest * span[0], GetGValue(back) + strongest * span[1], GetBValue(back) + strongest * span[2]);
    if (drawn.size() > 1 && Contrast(inkDrawn, back) < 7) return ::testing::AssertionFailure() << "contrast " << Contrast(inkDrawn, back);
    return ::testing::AssertionSuccess();
}

TEST_F(ProgramTest, InHighContrastEveryWindowShowsTheSystemColoursAtOnceAndKeepsItsContents) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "not in the prefix with the black scheme";
    program_.UseHighContrastQuery([] { return highContrast; });
    ChooseSize(ui::form1::Combo1, L"195", L"65", L"15");
    for (int button : {ui::form1::Przelicz, ui::form1::Command2, ui::form1::Command3}) Click(button);
    const std::pair<forms::Form*, const forms::FormDesc*> forms[] = {
        {&Main(), &ui::kForm1}, {program_.Form2().instance(), &ui::kForm2}, {program_.Form3().instance(), &ui::kForm3}};
    const auto contents = [&] {
        std::vector<std::wstring> texts;
        for (const auto& [form, desc] : forms)
            for (const forms::ControlDesc& c : desc->controls) texts.push_back(form->Text(c.id));
        return texts;
    };
    const std::vector<std::wstring> before = contents();
    const RECT corner{0, 0, 8, 8};  // in the band
    for (const auto& [form, desc] : forms) EXPECT_FALSE(Shot(form->hwnd()).Colours(corner).contains(GetSysColor(COLOR_BTNFACE)));
    highContrast = true;  // the user switches it on: the system tells every window
    for (const auto& [form, desc] : forms) SendMessageW(form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    for (const auto& [form, desc] : forms) {
        SCOPED_TRACE(testing::PrintToString(desc->caption));
        const Shot shot(form->hwnd());
        std::vector<RECT> controls, boxes;  // boxes: what labels may reach under
        for (const forms::ControlDesc& c : desc->controls) {
            controls.push_back(Window(form->control(c.id)).Place());
            if (c.kind != forms::Kind::Label) boxes.push_back(controls.back());
        }
        // No picture left: the button face wherever no control is.
        EXPECT_EQ(shot.Colours(Window(form->hwnd()).Client(), controls), std::set{GetSysColor(COLOR_BTNFACE)});
        for (const forms::ControlDesc& c : desc->controls) {
            const Window h = form->control(c.id);
            RECT r = h.Client();
            MapWindowPoints(h.hwnd(), form->hwnd(), reinterpret_cast<POINT*>(&r), 2);
            if (c.kind == forms::Kind::Label) {
                EXPECT_TRUE(InSystemColours(shot.Colours(r, boxes), COLOR_BTNTEXT, COLOR_BTNFACE)) << c.id;
            } else if (c.kind == forms::Kind::TextBox) {
                EXPECT_TRUE(InSystemColours(shot.Colours(r), COLOR_WINDOWTEXT, COLOR_WINDOW)) << c.id;
            }
        }
    }
    EXPECT_EQ(contents(), before);
    highContrast = false;
    EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace tarvex_test
