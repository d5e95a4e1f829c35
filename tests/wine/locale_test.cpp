// A user whose regional settings use a decimal comma.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

using DecimalComma = ProgramTest;

// The separator is read at each click: set just for it, and put back before anything can stop the test.
TEST_F(DecimalComma, WritesResultsWithACommaAndReadsTypedValuesAndTheNewDiameterWithAPoint) {
    // A typed comma ends the number: 15,5 is 15.
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseOther(Combo3);
    Put(Text3, L"15,5");
    // The new wheel 2 x 0.35 x 1 = 0.7 mm, no rim: its diameter, written "0,7", reads back as 0
    // and takes the second form, 0.7 / 634.5 - 1 (634.5 / 0.7 - 1 would be 90542.86 %).
    ChooseOther(Combo4);
    Put(Text4, L"1");
    Choose(Combo5, Combo(Control(Combo5)).Find(L"35"));
    ChooseOther(Combo6);
    Put(Text6, L"0");
    wchar_t saved[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8);
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
    Click(Przelicz);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ((std::vector{Text(srdnicaakt), Text(srednicanew), Text(procentbl), Text(Label26)}),
              (std::vector<std::wstring>{L"634,5", L"0,7", L"-99,89", L"0,17"}));
}

}  // namespace
}  // namespace tarvex_test
