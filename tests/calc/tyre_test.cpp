#include "calc/tyre.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>

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

// What a click shows for two sizes: both diameters, difference, error in per cent, actual speeds.
std::vector<std::wstring> Compared(TyreSize currentSize, TyreSize newSize) {
    const double current = WheelDiameter(currentSize), proposed = WheelDiameter(newSize);
    std::vector<double> values{current, proposed, DiameterDifference(current, proposed),
                               ErrorPercent(ErrorRatio(proposed, current, proposed))};
    for (const double reading : kReferenceSpeeds) values.push_back(ActualSpeed(SpeedFactor(current, proposed), reading));
    std::vector<std::wstring> texts;
    for (const double v : values) texts.push_back(NumberToText(v, L"."));
    return texts;
}

TEST(Comparison, ReadsInHundredthsAndEqualWheelsReadAsEqual) {
    const std::tuple<TyreSize, TyreSize, std::vector<std::wstring>> cases[] = {
        {{195, 65, 15}, {205, 55, 16},
         {L"634.5", L"631.9", L"-2.6", L"0.41", L"49.8", L"59.75", L"79.67", L"89.63", L"99.59", L"149.39"}},
        // The same wheel from other sizes: the doubles differ in their last bits only.
        {{165, 65, 14}, {195, 55, 14}, {L"570.1", L"570.1", L"0", L"0", L"50", L"60", L"80", L"90", L"100", L"150"}},
        {{165, 82, 14}, {185, 80, 13}, {L"626.2", L"626.2", L"0", L"0", L"50", L"60", L"80", L"90", L"100", L"150"}},
        {{135, 30, 12}, {235, 82, 20},
         {L"385.8", L"893.4", L"507.6", L"-56.82", L"115.79", L"138.94", L"185.26", L"208.41", L"231.57", L"347.36"}},
    };
    for (const auto& [currentSize, newSize, expected] : cases) {
        EXPECT_EQ(Compared(currentSize, newSize), expected) << newSize.width << "/" << newSize.profile;
    }
    // Under the texts: the reference pair's doubles.
    EXPECT_EQ(DiameterDifference(634.5, 631.9), -2.6000000000000227);
    EXPECT_EQ(ErrorRatio(631.9, 634.5, 631.9), 0.004114575090995443);
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
