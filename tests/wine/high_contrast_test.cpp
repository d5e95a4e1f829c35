// High contrast, in a prefix with white on black system colours; Wine cannot switch the
// setting on, so the program is told it is.

#include <array>

#include "harness.h"

namespace tarvex_test {
namespace {

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

using HighContrast = ProgramTest;

TEST_F(HighContrast, EveryWindowShowsThePictureUntilItIsOnThenTheSystemColoursAndKeepsItsContents) {
    ASSERT_EQ((std::array{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_WINDOWTEXT)}),
              (std::array<COLORREF, 4>{0, 0, 0xFFFFFF, 0xFFFFFF})) << "not in the prefix with the black scheme";
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
    // As the system's own setting says, off under Wine: the picture, its band in the corner.
    const RECT corner{0, 0, 8, 8};
    for (const auto& [form, desc] : forms) EXPECT_FALSE(Shot(form->hwnd()).Colours(corner).contains(GetSysColor(COLOR_BTNFACE)));
    program_.UseHighContrastQuery([] { return highContrast; });
    highContrast = true;  // the user switches it on: the system tells every window
    for (const auto& [form, desc] : forms) SendMessageW(form->hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    for (const auto& [form, desc] : forms) {
        SCOPED_TRACE(testing::Message() << "window of " << desc->controls.size() << " controls");
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
            if (c.kind == forms::Kind::Label || c.kind == forms::Kind::TextBox) {
                EXPECT_TRUE(WhiteOnBlack(shot.Colours(r, c.kind == forms::Kind::Label ? boxes : std::vector<RECT>{}))) << c.id;
            }
        }
    }
    EXPECT_EQ(contents(), before);
    highContrast = false;
    EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace tarvex_test
