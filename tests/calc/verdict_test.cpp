#include "calc/verdict.h"

#include "calc/number_text.h"
#include "calc/tyre.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace calc {
namespace {

// Diameters worked by hand to land on each band edge and a hundredth beyond it; the change as
// shown. 195/65 R15 to 205/55 R16 is 634.5 to 631.9 mm: -2.6/634.5 = -0.41 %.
TEST(Verdict, TheBandOfTheDiameterChangeWithItsEdgesInside) {
    const std::tuple<double, double, const wchar_t*, Band> cases[] = {
        {634.5, 631.9, L"-0.41", Band::Practice},     {500, 500, L"0", Band::Practice},
        {500, 490, L"-2", Band::Practice},            {500, 489.95, L"-2.01", Band::RuleOfThumb},
        {1000, 979.96, L"-2", Band::Practice},        {1000, 979.94, L"-2.01", Band::RuleOfThumb},
        {600, 609, L"1.5", Band::Practice},           {600, 609.06, L"1.51", Band::RuleOfThumb},
        {500, 485, L"-3", Band::RuleOfThumb},         {500, 484.95, L"-3.01", Band::Beyond},
        {500, 515, L"3", Band::RuleOfThumb},          {500, 515.05, L"3.01", Band::Beyond},
        {634.5, 0, L"-100", Band::Beyond},
    };
    for (const auto& [current, proposed, shown, band] : cases) {
        const double change = DiameterChangePercent(current, proposed);
        EXPECT_EQ(NumberToText(change, L"."), shown) << current << " to " << proposed;
        EXPECT_EQ(BandOf(change), band) << current << " to " << proposed;
    }
}

// 0 <= V1 - V2 <= 0.1 V2 + 4 at every reference speed, 150 km/h the strictest: with V2 = 0.886 x 150
// = 132.9 the speedometer is 17.1 ahead of 17.29 allowed; with 0.884 x 150 = 132.6, 17.4 of 17.26.
TEST(Verdict, TheSpeedometerUnderR39) {
    const std::pair<double, Speedometer> cases[] = {
        {1, Speedometer::Exact},                  {631.9 / 634.5, Speedometer::ReadsHighAllowed},
        {0.886, Speedometer::ReadsHighAllowed},   {0.884, Speedometer::ReadsHighTooMuch},
        {0, Speedometer::ReadsHighTooMuch},       {1.001, Speedometer::ReadsLow},
        {634.5 / 631.9, Speedometer::ReadsLow},
    };
    for (const auto& [factor, verdict] : cases) EXPECT_EQ(R39Verdict(factor), verdict) << factor;
}

}  // namespace
}  // namespace calc
