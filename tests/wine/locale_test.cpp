// A user whose regional settings use a decimal comma.

#include "harness.h"

namespace tarvex_test {
namespace {

using namespace ui::form1;

class DecimalComma : public ProgramTest {
protected:
    void SetUp() override {
        wchar_t saved[8] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, 8);
        saved_ = saved;
        ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
        ProgramTest::SetUp();
    }
    void TearDown() override { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_.c_str()); }
    std::wstring saved_;
};

TEST_F(DecimalComma, WritesResultsWithACommaAndReadsTypedValuesAndTheNewDiameterWithAPoint) {
    ChooseSize(Combo1, L"195", L"65", L"15");
    ChooseSize(Combo4, L"205", L"55", L"16");
    Click(Przelicz);
    EXPECT_EQ(Text(srdnicaakt), L"634,5");
    EXPECT_EQ(Text(Label26), L"149,39");

    // A typed comma ends the number: 15,5 is 15.
    ChooseOther(Combo3);
    Put(Text3, L"15,5");
    Click(Przelicz);
    EXPECT_EQ(Text(srdnicaakt), L"634,5");

    // A new diameter below 1 reads back from its box as 0 and takes the second form.
    ChooseOther(Combo4);
    Put(Text4, L"1");
    Choose(Combo5, Combo(Control(Combo5)).Find(L"35"));  // 2 x 0.35 x 1 = 0.7 mm, no rim
    ChooseOther(Combo6);
    Put(Text6, L"0");
    Click(Przelicz);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(Text(srednicanew), L"0,7");
    // "0,7" reads back as 0: 0.7 / 634.5 - 1, not 634.5 / 0.7 - 1 (which would be 90542.86 %).
    EXPECT_EQ(Text(procentbl), L"-99,89");
}

}  // namespace
}  // namespace tarvex_test
