// "Przelicz" on the real main window: what it reads, what it writes, and in what order.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

class PrzeliczClick : public ProgramTest {
protected:
    std::vector<std::wstring> Table() {
        std::vector<std::wstring> texts;
        for (int id : {Label21_1, Label22, Label23, Label24, Label25, Label26}) texts.push_back(Text(id));
        return texts;
    }
    std::vector<std::wstring> Results() {
        return {Text(srdnicaakt), Text(srednicanew), Text(roznica), Text(procentbl)};
    }
    // Puts a typed value behind the combo's last entry ("inna"/"inny").
    void Other(int combo, std::wstring_view value) {
        ChooseOther(combo);
        Put(combo + Text1 - Combo1, value);
    }
    const std::vector<std::wstring> kUntouchedTable{L"50", L"60", L"80", L"90", L"100", L"150"};
};

TEST_F(PrzeliczClick, ComparesTheReferenceSizes) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    Click(Przelicz);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Results(), (std::vector<std::wstring>{L"634.5", L"631.9", L"-2.60000000000002", L"0.411457509099544"}));
    EXPECT_EQ(Table(), (std::vector<std::wstring>{L"49.7951142631994", L"59.7541371158392", L"79.672182821119",
                                                  L"89.6312056737589", L"99.5902285263987", L"149.385342789598"}));
}

TEST_F(PrzeliczClick, OnTheFreshWindowComparesTheFieldsAsTheyRead) {
    Click(Przelicz);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Results(), (std::vector<std::wstring>{L"385.8", L"385.8", L"0", L"0"}));
    EXPECT_EQ(Table(), kUntouchedTable);
}

TEST_F(PrzeliczClick, ReadsWhatTheUserTypedIntoAComboField) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"195", L"65", L"15");
    Type(ComboEdit(Control(Combo4)), L"205");  // typing leaves no entry selected
    ASSERT_EQ(Main().ListIndex(Combo4), -1);
    Click(Przelicz);
    EXPECT_EQ(Text(srednicanew), L"647.5");  // 2 x 0.65 x 205 + 15 x 25.4
}

TEST_F(PrzeliczClick, TakesThePairedBoxOnlyWhileTheLastEntryIsSelected) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"195", L"65", L"15");
    for (int box : {Text1, Text2, Text4, Text5, Text6}) Put(box, L"1e400");  // would overflow if read
    const struct {
        const wchar_t* typed;
        const wchar_t* diameter;  // 195/65 with the typed rim
    } cases[] = {{L"", L"253.5"}, {L"abc", L"253.5"}, {L"15,5", L"634.5"}, {L"15.5", L"659.9"}, {L"14.5", L"609.1"},
                 {L"-3", L"177.3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "typed \"" << std::string(c.typed, c.typed + wcslen(c.typed)) << "\"");
        Other(Combo3, c.typed);
        Click(Przelicz);
        EXPECT_TRUE(errors_.empty());
        EXPECT_EQ(Text(srdnicaakt), c.diameter);
    }
}

TEST_F(PrzeliczClick, LeavesTheSelectorsAsTheyWere) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    Other(Combo4, L"205 ");
    Type(ComboEdit(Control(Combo5)), L"55x");
    Put(Text6, L"16");
    const auto snapshot = [&] {
        std::vector<std::wstring> state;
        for (int id = Combo1; id <= Text6; ++id) {
            const auto kind = ui::kForm1.controls[static_cast<size_t>(id)].kind;
            if (kind == app::Kind::ComboBox) state.push_back(std::to_wstring(Main().ListIndex(id)));
            if (kind != app::Kind::Label) state.push_back(Text(id));
        }
        return state;
    };
    const auto before = snapshot();
    Click(Przelicz);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(PrzeliczClick, ATooLargeNewWidthStopsAfterTheCurrentDiameter) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    Other(Combo4, L"40000");
    Click(Przelicz);
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_EQ(errors_[0].number, 6);
    EXPECT_EQ(errors_[0].description, L"Przepełnienie");
    EXPECT_EQ(Results(), (std::vector<std::wstring>{L"634.5", L"0", L"0", L"0"}));
    EXPECT_EQ(Table(), kUntouchedTable);
    // The program goes on: the input stays, and once corrected the click computes.
    EXPECT_FALSE(program_.ended());
    EXPECT_TRUE(IsWindowVisible(Main().hwnd()));
    EXPECT_EQ(Text(Text4), L"40000");
    Put(Text4, L"205");
    ChooseEntry(Combo5, L"55");  // the width stays "inna"
    ChooseEntry(Combo6, L"16");
    Click(Przelicz);
    EXPECT_EQ(errors_.size(), 1u);
    EXPECT_EQ(Text(srednicanew), L"631.9");
}

TEST_F(PrzeliczClick, SmallerAndLargerNewTyresMoveTheTableAcrossTheReadings) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"175", L"65", L"14");  // smaller: the car is slower than it reads
    Click(Przelicz);
    EXPECT_GT(std::stod(Text(procentbl)), 0.0);  // the speedometer reads high
    EXPECT_LT(std::stod(Text(Label25)), 100.0);
    ChooseSize(Combo4, L"225", L"65", L"16");  // larger: faster than it reads
    Click(Przelicz);
    EXPECT_LT(std::stod(Text(procentbl)), 0.0);
    EXPECT_GT(std::stod(Text(Label25)), 100.0);
}

TEST_F(PrzeliczClick, AShorterCaptionLeavesNoTraceOfTheLongerOne) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    Click(Przelicz);  // "149.385342789598" in the last row
    ChooseSize(Combo4, L"195", L"65", L"15");
    Click(Przelicz);  // "150"
    Pump();
    // Right of where "150" ends, the row must show only the picture again.
    HWND form = Main().hwnd();
    const RECT r = PlaceOf(Control(Label26));
    HDC screen = GetDC(form);
    HDC memory = CreateCompatibleDC(screen);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HBITMAP shot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SIZE shown{};
    {
        HGDIOBJ font = SelectObject(memory, reinterpret_cast<HFONT>(SendMessageW(Control(Label26), WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(memory, L"150", 3, &shown);
        SelectObject(memory, font);
    }
    ASSERT_LT(shown.cx + 2, width);
    int darkPixels = 0;
    for (int x = shown.cx + 2; x < width - 1; ++x)  // the last column is under the "km/h" beside it
        for (int y = 0; y < height; ++y) {
            const COLORREF p = GetPixel(memory, x, y);
            if (GetRValue(p) + GetGValue(p) + GetBValue(p) < 300) ++darkPixels;
        }
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(form, screen);
    EXPECT_EQ(darkPixels, 0);
}

}  // namespace
}  // namespace tarvex_test
