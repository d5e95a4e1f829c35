#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(TextToNumber, ReadsTheLongestDecimalPrefix) {
    const std::wstring million(1'000'000, L'0');
    const double belowMin = std::nextafter(std::numeric_limits<double>::min(), 0.0);
    // Exactly half way between the two largest subnormal doubles, written out in full (a long
    // double holds it): about the longest decimal whose every digit still counts.
    static_assert(std::numeric_limits<long double>::digits >= 64);
    const long double mid = (static_cast<long double>(belowMin) + std::nextafter(belowMin, 0.0)) / 2;
    char digits[1100];
    const std::wstring midpoint(digits, digits + std::snprintf(digits, sizeof digits, "%.1075Lf", mid));
    const std::pair<std::wstring, double> cases[] = {
        {L"", 0},        {L".", 0},        {L"-.e", 0},        {L"- 1", 0},          {L"  -0", -0.0},
        {L"\t+7", 7},    {L"15,5", 15},    {L"15.5", 15.5},    {L"1.2.3", 1.2},      {L".5", 0.5},
        {L"1d5", 1},     {L"0.1", 0.1},    {L"1.e5", 1e5},     {L"-2.5E+3", -2500},  {L"1e", 1},
        {L"1e+", 1},     {L"2E-x", 2},     {L"-.5e", -0.5},    {L"\x00A0" L"1", 0},  {L"\x0663", 0},
        {L"7\xFF11", 7}, {L"1e400", kInf}, {L"-1e400", -kInf}, {L"1e-400", 0},       {L"-1e-400", -0.0},
        {L"2.5E-308", 2.5e-308},          {L"0e99999999999999999999", 0},
        {L"1e99999999999999999999", kInf}, {L"1e-99999999999999999999", 0},
        {L"1e4294967297", kInf},           {L"1e-18446744073709551617", 0},
        {L"1.7976931348623157e308", 1.7976931348623157e308}, {L"1.7976931348623159e308", kInf},
        {L"2.4703282292062328e-324", 0x1p-1074}, {L"2.4703282292062327e-324", 0},
        // Exactly half way between two doubles: ties to even, unless any later digit is not zero.
        {L"9007199254740993", 9007199254740992.0},
        {L"1.00000000000000011102230246251565404236316680908203125", 1.0},
        {L"1.00000000000000011102230246251565404236316680908203126", 1.0000000000000002},
        {L"9007199254740993." + million, 9007199254740992.0},
        {L"9007199254740993." + million + L"1", 9007199254740994.0},
        {midpoint, std::nextafter(belowMin, 0.0)}, {midpoint + million + L"1", belowMin},
        // A megabyte of digits.
        {std::wstring(1'000'000, L'9'), kInf}, {million + L"5", 5},
        {L"0." + million + L"1e1000005", 1e4}, {L"1" + million + L"e-1000000", 1},
    };
    for (const auto& [text, expected] : cases) {
        const double actual = TextToNumber(text);
        EXPECT_TRUE(actual == expected && std::signbit(actual) == std::signbit(expected))
            << ::testing::PrintToString(text.substr(0, 60)) << " (" << text.size() << " chars) gave " << actual;
    }
}

TEST(RoundToInt16, RoundsHalvesToEvenOrOverflowsInEveryRoundingMode) {
    constexpr int kOverflows = 1 << 16;  // no 16-bit result
    const std::pair<double, int> cases[] = {
        {14.5, 14},       {15.5, 16},         {-2.5, -2},         {0.5, 0},         {-0.5, 0},
        {-1.5, -2},       {-7.2, -7},         {2.5000000001, 3},  {32767.49, 32767}, {32766.5, 32766},
        {-32767.5, -32768}, {-32768.5, -32768}, {0.49999999999999994, 0},           {32767.5, kOverflows},
        {-32768.50000001, kOverflows}, {40000.0, kOverflows}, {-32769.0, kOverflows}, {1e300, kOverflows},
        {kInf, kOverflows}, {-kInf, kOverflows}, {kNaN, kOverflows},
    };
    for (const int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        for (const auto& [value, expected] : cases) {
            std::fesetround(mode);
            int actual = kOverflows;
            try {
                actual = RoundToInt16(value);
            } catch (const RuntimeError& e) {
                EXPECT_EQ(kOverflow, e.number) << value;
            }
            EXPECT_EQ(mode, std::fegetround()) << "rounding mode left changed";
            std::fesetround(FE_TONEAREST);
            EXPECT_EQ(expected, actual) << "value " << value << ", rounding mode " << mode;
        }
    }
}

TEST(NumberToText, RoundsToHundredthsOnTheExactValueWithHalvesAwayFromZero) {
    const std::tuple<double, const wchar_t*, const wchar_t*> cases[] = {
        {631.9 - 634.5, L",", L"-2,6"}, {std::nextafter(385.8, 0.0), L".", L"385.8"}, {1.0 / 3, L",", L"0,33"},
        {1.5, L" dec ", L"1 dec 5"},    {189570.0 / 1269, L".", L"149.39"},           {-100, L".", L"-100"},
        // Nothing but zero is written "0", never "-0".
        {0.0, L".", L"0"}, {-0.0, L".", L"0"}, {-0.004999, L".", L"0"}, {-100 * 0x1p-52, L".", L"0"}, {5e-324, L".", L"0"},
        // Exact halves go away from zero; a decimal that only looks like a half is decided by its double.
        {0.125, L".", L"0.13"}, {-0.125, L".", L"-0.13"}, {2.675, L".", L"2.67"}, {1.005, L".", L"1"},
        // Carries through every digit; in full, without an exponent.
        {99.995, L".", L"100"}, {-9.999, L".", L"-10"}, {123456789012.345, L",", L"123456789012,35"},
        {1e15, L".", L"1000000000000000"}, {kInf, L".", L"Inf"}, {-kInf, L".", L"-Inf"}, {kNaN, L".", L"NaN"},
    };
    for (const auto& [value, separator, expected] : cases)
        EXPECT_EQ(std::wstring(expected), NumberToText(value, separator)) << value;
}

}  // namespace
}  // namespace calc
