#include "calc/tyre.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Zero on success, otherwise the number of the RuntimeError thrown.
int ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& e) {
        return e.number;
    }
    return 0;
}

// Equality that also tells -0.0 from 0.0.
::testing::AssertionResult SameDouble(double expected, double actual) {
    if (expected == actual && std::signbit(expected) == std::signbit(actual)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << expected << ", got " << actual;
}

TEST(TextToNumber, ReadsTheLongestDecimalPrefix) {
    const struct {
        const wchar_t* text;
        double expected;
    } cases[] = {
        {L"", 0},         {L"abc", 0},        {L".", 0},           {L"+", 0},
        {L"-.e", 0},      {L"15,5", 15},      {L"634,5", 634},     {L"15.5", 15.5},
        {L"  -0", -0.0},  {L"\t+7", 7},       {L"12abc", 12},      {L"1.2.3", 1.2},
        {L".5", 0.5},     {L"5.", 5},         {L"1e", 1},          {L"-.5e", -0.5},
        {L"1e+", 1},      {L"2E-x", 2},       {L"1.e5", 1e5},      {L"-2.5E+3", -2500},
        {L"1 2", 1},      {L"- 1", 0},        {L"0x10", 0},        {L"1d5", 1},
        {L"\x00A0" L"1", 0}, {L"\xFF11", 0},  {L"\x0663", 0},      {L"0.1", 0.1},
        {L"0e99999999999999999999", 0},       {L"2.5E-308", 2.5e-308},
        {L"1e400", kInf}, {L"-1e400", -kInf}, {L"1e-400", 0},      {L"-1e-400", -0.0},
        {L"1e99999999999999999999", kInf},    {L"1e-99999999999999999999", 0},
        {L"1e4294967297", kInf},              {L"1e-18446744073709551617", 0},
        {L"1.7976931348623157e308", 1.7976931348623157e308},
        {L"1.7976931348623159e308", kInf},
        {L"2.4703282292062328e-324", 4.9406564584124654e-324},
        {L"2.4703282292062327e-324", 0},
        // Exactly half way between two doubles: ties to even.
        {L"9007199254740993", 9007199254740992.0},
        {L"1.00000000000000011102230246251565404236316680908203125", 1.0},
        {L"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SameDouble(c.expected, TextToNumber(c.text)))
            << ::testing::PrintToString(std::wstring(c.text));
    }
}

TEST(TextToNumber, HandlesVeryLongTexts) {
    const std::wstring million(1'000'000, L'0');
    const std::wstring nines(1'000'000, L'9');
    // Exactly half way between the two largest subnormal doubles, written out in
    // full: about the longest decimal whose every digit still counts.
    const std::wstring midpoint =
        L"2.2250738585072006419917639554625877993660266781302732829636234954000577"
        L"964353944448410222536993832226143127972770472413103053909929768637188709"
        L"468514680242229685839773591851410285403619754768443031958132734693482011"
        L"304211653085545320831493676067608324920106709384047261543474082573017216"
        L"837765643921010648239116172158852475760231303527077156200284177534329871"
        L"275812353907421319197873908358977154959706640466162055057892599442232234"
        L"244447285957041695567575854237524171241348059990731378080181338110494890"
        L"466866489442558344889010082597214961471042043991985565356975310055231935"
        L"448663898095485089604066035268185282450207861510244351362091237759797852"
        L"153577038777504570568436147553027068306411355674894334507658731200614581"
        L"1358486831521563686919762403704226016998291015625";
    const double below = std::nextafter(std::numeric_limits<double>::min(), 0.0);
    const double twoBelow = std::nextafter(below, 0.0);
    const struct {
        std::wstring text;
        double expected;
    } cases[] = {
        {nines, kInf},
        {L"-" + nines, -kInf},
        {L"0." + nines, 1.0},
        {million + L"5", 5},
        {L"0." + million + L"1e1000005", 1e4},
        {L"1" + million + L"e-1000000", 1},
        {L"1" + million + L"e-999690", kInf},
        // A non-zero digit far beyond the first ones still breaks a tie.
        {L"9007199254740993." + million, 9007199254740992.0},
        {L"9007199254740993." + million + L"1", 9007199254740994.0},
        {midpoint + L"e-308", twoBelow},
        {midpoint + million + L"1e-308", below},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(SameDouble(c.expected, TextToNumber(c.text))) << c.text.size() << " chars";
    }
}

TEST(RoundToInt16, RoundsHalvesToEven) {
    const struct {
        double value;
        std::int16_t expected;
    } cases[] = {
        {14.5, 14},        {15.5, 16},          {-2.5, -2},          {0.5, 0},
        {-0.5, 0},         {-0.0, 0},           {-1.5, -2},          {2.5000000001, 3},
        {0.49999999999999994, 0},               {-7.2, -7},          {32767.49, 32767},
        {-32768.5, -32768}, {-32767.5, -32768}, {32766.5, 32766},
    };
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        for (const auto& c : cases) {
            std::fesetround(mode);
            const std::int16_t actual = RoundToInt16(c.value);
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(c.expected, actual) << "value " << c.value << ", rounding mode " << mode;
        }
    }
}

TEST(RoundToInt16, OverflowsOutsideTheRange) {
    for (const double value : {32767.5, -32768.50000001, 40000.0, -32769.0, 1e300, kInf, -kInf, kNaN}) {
        EXPECT_EQ(kOverflow, ErrorOf([=] { RoundToInt16(value); })) << value;
    }
    EXPECT_EQ(kOverflow, ErrorOf([] { RoundToInt16(TextToNumber(L"40000")); }));
    EXPECT_EQ(kOverflow, ErrorOf([] { RoundToInt16(TextToNumber(L"1e400")); }));
}

TEST(NumberToText, WritesUpToFifteenSignificantDigits) {
    const struct {
        double value;
        const wchar_t* separator;
        const wchar_t* expected;
    } cases[] = {
        {-2.6000000000000227, L".", L"-2.60000000000002"},
        {-2.6000000000000227, L",", L"-2,60000000000002"},
        {385.79999999999995, L".", L"385.8"},
        {0.1 + 0.2, L".", L"0.3"},
        {1.0 / 3, L",", L"0,333333333333333"},
        {-100, L".", L"-100"},
        {150, L",", L"150"},
        {0.0, L".", L"0"},
        {-0.0, L".", L"0"},
        {12345678901234.5, L".", L"12345678901234.5"},
        {123456789012345, L".", L"123456789012345"},
        {0.0001, L".", L"0.0001"},
        {-0.00012345, L",", L"-0,00012345"},
        {0.00001, L".", L"1E-05"},
        {1e15, L".", L"1E+15"},
        {999999999999999.9, L".", L"1E+15"},
        {1.5e-7, L".", L"1.5E-07"},
        {-1.25e20, L",", L"-1,25E+20"},
        {1e300, L".", L"1E+300"},
        {2.5e-308, L",", L"2,5E-308"},
        {5e-324, L".", L"4.94065645841247E-324"},
        {1.5, L" dec ", L"1 dec 5"},
        {kInf, L".", L"Inf"},
        {-kInf, L".", L"-Inf"},
        {kNaN, L".", L"NaN"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::wstring(c.expected), NumberToText(c.value, c.separator)) << c.value;
    }
}

TEST(WheelDiameter, AddsTwoSidewallsToTheRim) {
    const struct {
        TyreSize size;
        double expected;
    } cases[] = {
        {{195, 65, 15}, 634.5},
        {{205, 55, 16}, 631.9},
        {{135, 30, 12}, 385.79999999999995},
        {{0, 0, 0}, 0},
        {{-195, 65, 15}, 127.5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, WheelDiameter(c.size))
            << c.size.width << "/" << c.size.profile << " R" << c.size.rim;
    }
}

TEST(Comparison, SmallerNewTyre) {
    const double current = WheelDiameter({195, 65, 15});
    const double proposed = WheelDiameter({205, 55, 16});
    const double difference = DiameterDifference(current, proposed);
    EXPECT_EQ(-2.6000000000000227, difference);

    const double ratio = ErrorRatio(proposed, current, proposed);
    EXPECT_EQ(0.004114575090995443, ratio);
    EXPECT_EQ(L"0.411457509099544", NumberToText(ErrorPercent(ratio), L"."));

    const double factor = SpeedFactor(current, proposed);
    const struct {
        double speed;
        const wchar_t* shown;
    } expected[] = {
        {49.795114263199366, L"49.7951142631994"}, {59.75413711583924, L"59.7541371158392"},
        {79.672182821119, L"79.672182821119"},     {89.63120567375887, L"89.6312056737589"},
        {99.59022852639873, L"99.5902285263987"},  {149.3853427895981, L"149.385342789598"},
    };
    for (std::size_t i = 0; i < kReferenceSpeeds.size(); ++i) {
        const double speed = ActualSpeed(factor, kReferenceSpeeds[i]);
        EXPECT_EQ(expected[i].speed, speed) << kReferenceSpeeds[i];
        EXPECT_EQ(expected[i].shown, NumberToText(speed, L".")) << kReferenceSpeeds[i];
    }
}

TEST(Comparison, EqualDiametersShowNoError) {
    const double diameter = WheelDiameter({195, 65, 15});
    const double ratio = ErrorRatio(diameter, diameter, diameter);
    EXPECT_TRUE(SameDouble(-0.0, ratio));
    EXPECT_EQ(L"0", NumberToText(ErrorPercent(ratio), L","));
    const double factor = SpeedFactor(diameter, diameter);
    for (const double reading : kReferenceSpeeds) {
        EXPECT_EQ(reading, ActualSpeed(factor, reading));
    }
}

TEST(Comparison, DegenerateDiameters) {
    const struct {
        double shown, current, proposed;
        int ratioError;
        double ratio;
        int factorError;
        double factor;
    } cases[] = {
        {631.9, 0, 631.9, 0, -1, kDivisionByZero, 0},
        {0, 634.5, 0, 0, -1, 0, 0},
        {0, 0, 0, kOverflow, 0, kOverflow, 0},
        {-10, 0, -10, kDivisionByZero, 0, kDivisionByZero, 0},
        {1, 1e-300, 1e300, 0, -1, kOverflow, 0},
        {0, 1e-300, 1e300, kOverflow, 0, kOverflow, 0},
    };
    for (const auto& c : cases) {
        double ratio = kNaN;
        double factor = kNaN;
        EXPECT_EQ(c.ratioError, ErrorOf([&] { ratio = ErrorRatio(c.shown, c.current, c.proposed); }))
            << c.shown << " " << c.current << " " << c.proposed;
        EXPECT_EQ(c.factorError, ErrorOf([&] { factor = SpeedFactor(c.current, c.proposed); }))
            << c.current << " " << c.proposed;
        if (c.ratioError == 0) {
            EXPECT_EQ(c.ratio, ratio);
        }
        if (c.factorError == 0) {
            EXPECT_EQ(c.factor, factor);
        }
    }
    EXPECT_EQ(L"-100", NumberToText(ErrorPercent(ErrorRatio(631.9, 0, 631.9)), L"."));
    for (const double reading : kReferenceSpeeds) {
        EXPECT_EQ(L"0", NumberToText(ActualSpeed(SpeedFactor(634.5, 0), reading), L"."));
    }
}

TEST(Comparison, OverflowingStepsRaiseOverflow) {
    EXPECT_EQ(kOverflow, ErrorOf([] { DiameterDifference(-1e308, 1e308); }));
    EXPECT_EQ(kOverflow, ErrorOf([] { ErrorPercent(1e307); }));
    EXPECT_EQ(kOverflow, ErrorOf([] { ActualSpeed(1e308, 150); }));
}

TEST(RuntimeError, CarriesTheMessageShownToTheUser) {
    try {
        SpeedFactor(0, 631.9);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(L"Dzielenie przez zero", e.description);
    }
    try {
        SpeedFactor(0, 0);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(L"Przepe\x0142nienie", e.description);
    }
}

}  // namespace
}  // namespace calc
