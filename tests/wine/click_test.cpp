// "Przelicz" on the real main window: what it reads and what it writes.

#include <array>

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

class PrzeliczClick : public ProgramTest {
protected:
    std::vector<std::wstring> Shown() {
        std::vector<std::wstring> texts;
        for (int id : {srdnicaakt, srednicanew, roznica, procentbl, Label21_1, Label22, Label23, Label24, Label25, Label26})
            texts.push_back(Text(id));
        return texts;
    }
};

TEST_F(PrzeliczClick, ComparesTheReferenceSizes) {
    using Sizes = std::array<std::wstring_view, 6>;
    const std::vector<std::wstring> equal{L"0", L"0", L"50", L"60", L"80", L"90", L"100", L"150"};
    const std::pair<Sizes, std::vector<std::wstring>> cases[] = {
        {{L"195", L"65", L"15", L"205", L"55", L"16"},
         {L"634.5", L"631.9", L"-2.6", L"0.41", L"49.8", L"59.75", L"79.67", L"89.63", L"99.59", L"149.39"}},
        // Equal wheels from different sizes read as equal.
        {{L"165", L"65", L"14", L"195", L"55", L"14"}, {L"570.1", L"570.1"}},
        {{L"165", L"82", L"14", L"185", L"80", L"13"}, {L"626.2", L"626.2"}},
    };
    for (auto [sizes, expected] : cases) {
        ChooseSize(Combo1, sizes[0], sizes[1], sizes[2]);
        ChooseSize(Combo4, sizes[3], sizes[4], sizes[5]);
        Click(Przelicz);
        if (expected.size() == 2) expected.insert(expected.end(), equal.begin(), equal.end());
        EXPECT_EQ(Shown(), expected);
    }
    EXPECT_TRUE(errors_.empty());
}

TEST_F(PrzeliczClick, OnTheFreshWindowComparesTheFieldsAsTheyRead) {
    Click(Przelicz);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"385.8", L"385.8", L"0", L"0", L"50", L"60", L"80", L"90", L"100",
                                                  L"150"}));
}

TEST_F(PrzeliczClick, AShorterCaptionLeavesNoTraceOfTheLongerOne) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    Click(Przelicz);  // "149.39" in the last row
    ChooseSize(Combo4, L"195", L"65", L"15");
    Click(Przelicz);  // "150"
    Pump();
    // Right of where "150" ends, the row must show only the picture again.
    const Window label = Control(Label26);
    const RECT r = label.Place();
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(Main().hwnd());
    app::ScopedDc memory(CreateCompatibleDC(screen));
    app::ScopedBitmap shot(CreateCompatibleBitmap(screen, width, height));
    app::Selection selected(memory.get(), shot.get());
    BitBlt(memory.get(), 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(Main().hwnd(), screen);
    SIZE shown{};
    {
        app::Selection font(memory.get(), label.Font());
        GetTextExtentPoint32W(memory.get(), L"150", 3, &shown);
    }
    ASSERT_LT(shown.cx + 2, width);
    int darkPixels = 0;
    for (int x = shown.cx + 2; x < width - 1; ++x)  // the last column is under the "km/h" beside it
        for (int y = 0; y < height; ++y) {
            const COLORREF p = GetPixel(memory.get(), x, y);
            darkPixels += GetRValue(p) + GetGValue(p) + GetBValue(p) < 300;
        }
    EXPECT_EQ(darkPixels, 0);
}

}  // namespace
}  // namespace tarvex_test
