#include "calc/tyre.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <tuple>
#include <utility>

#include "calc/number_text.h"

namespace calc {
namespace {

TEST(WheelDiameter, AddsTwoSidewallsToTheRim) {
    const std::pair<TyreSize, double> cases[] = {
        {{195, 65, 15}, 634.5}, {{205, 55, 16}, 631.9}, {{135, 30, 12}, 385.79999999999995},
        {{165, 55, 13}, 511.70000000000005}, {{0, 0, 0}, 0}, {{-195, 65, 15}, 127.5},
    };
    for (const auto& [size, expected] : cases) {
        EXPECT_EQ(expected, WheelDiameter(size)) << size.width << "/" << size.profile << " R" << size.rim;
    }
}

TEST(Comparison, SmallerNewTyre) {
    const double current = WheelDiameter({195, 65, 15});
    const double proposed = WheelDiameter({205, 55, 16});
    const double difference = DiameterDifference(current, proposed);
    EXPECT_EQ(-2.6000000000000227, difference);
    EXPECT_EQ(L"-2.60000000000002", NumberToText(difference, L"."));
    const double ratio = ErrorRatio(proposed, current, proposed);
    EXPECT_EQ(0.004114575090995443, ratio);
    EXPECT_EQ(L"0.411457509099544", NumberToText(ErrorPercent(ratio), L"."));

    const double factor = SpeedFactor(current, proposed);
    const std::pair<double, const wchar_t*> expected[] = {
        {49.795114263199366, L"49.7951142631994"}, {59.75413711583924, L"59.7541371158392"},
        {79.672182821119, L"79.672182821119"},     {89.63120567375887, L"89.6312056737589"},
        {99.59022852639873, L"99.5902285263987"},  {149.3853427895981, L"149.385342789598"},
    };
    for (std::size_t i = 0; i < kReferenceSpeeds.size(); ++i) {
        const double speed = ActualSpeed(factor, kReferenceSpeeds[i]);
        EXPECT_EQ(expected[i].first, speed) << kReferenceSpeeds[i];
        EXPECT_EQ(expected[i].second, NumberToText(speed, L".")) << kReferenceSpeeds[i];
    }
}

TEST(Errors, CarryTheNumberAndTheMessageShownToTheUser) {
    // What is run, the error number it raises (0: none) and otherwise its result.
    const std::tuple<const char*, std::function<double()>, int, double> cases[] = {
        {"ratio, current 0", [] { return ErrorRatio(631.9, 0, 631.9); }, 0, -1},
        {"factor, current 0", [] { return SpeedFactor(0, 631.9); }, kDivisionByZero, 0},
        {"ratio, new 0", [] { return ErrorRatio(0, 634.5, 0); }, 0, -1},
        {"factor, new 0", [] { return SpeedFactor(634.5, 0); }, 0, 0},
        {"ratio, both 0", [] { return ErrorRatio(0, 0, 0); }, kOverflow, 0},
        {"factor, both 0", [] { return SpeedFactor(0, 0); }, kOverflow, 0},
        {"ratio, new negative, current 0", [] { return ErrorRatio(-10, 0, -10); }, kDivisionByZero, 0},
        {"factor, new negative, current 0", [] { return SpeedFactor(0, -10); }, kDivisionByZero, 0},
        {"ratio, huge quotient", [] { return ErrorRatio(0, 1e-300, 1e300); }, kOverflow, 0},
        {"factor, huge quotient", [] { return SpeedFactor(1e-300, 1e300); }, kOverflow, 0},
        {"difference", [] { return DiameterDifference(-1e308, 1e308); }, kOverflow, 0},
        {"percent", [] { return ErrorPercent(1e307); }, kOverflow, 0},
        {"speed", [] { return ActualSpeed(1e308, 150); }, kOverflow, 0},
    };
    for (const auto& [what, run, error, result] : cases) {
        try {
            EXPECT_EQ(result, run()) << what;
            EXPECT_EQ(0, error) << what;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(error, e.number) << what;
            EXPECT_EQ(e.number == kOverflow ? L"Przepe\x0142nienie" : L"Dzielenie przez zero", e.description) << what;
        }
    }
}

}  // namespace
}  // namespace calc
