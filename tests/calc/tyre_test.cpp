#include "calc/tyre.h"

#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <utility>

namespace calc {
namespace {

// Worked by hand from 2 × profile/100 × width + rim × 25.4: the speedometer reads high by 2.6/631.9,
// 2600/6319 per cent, and at 150 the car does 150 × 631.9/634.5 = 189570/1269. The other pairs are equal
// wheels whose doubles differ in the last bits: the difference and error read 0, not a rounding residue.
TEST(Comparison, DiametersDifferenceErrorAndActualSpeeds) {
    const double current = WheelDiameter({195, 65, 15}), proposed = WheelDiameter({205, 55, 16});
    const std::pair<double, double> results[] = {
        {current, 634.5}, {proposed, 631.9}, {DiameterDifference(current, proposed), -2.6},
        {ErrorPercent(ErrorRatio(proposed, current, proposed)), 2600.0 / 6319},
        {ActualSpeed(SpeedFactor(current, proposed), 150), 189570.0 / 1269}};
    for (const auto& [actual, expected] : results)
        EXPECT_NEAR(expected, actual, 1e-9 * std::fabs(expected));  // a wrong constant is off by far more
    for (const auto& [a, b] : {std::pair<TyreSize, TyreSize>{{165, 65, 14}, {195, 55, 14}}, {{165, 82, 14}, {185, 80, 13}}}) {
        const double x = WheelDiameter(a), y = WheelDiameter(b);
        EXPECT_EQ(NumberToText(DiameterDifference(x, y), L".") + L"|" + NumberToText(ErrorPercent(ErrorRatio(y, x, y)), L"."), L"0|0");
    }
}

// What is run and the error number it raises, with the message the user is shown: the faults no
// tyre size a user can enter reaches (those are PrzeliczClick's, in the window tests).
TEST(Errors, CarryTheNumberAndTheMessageShownToTheUser) {
    const std::tuple<const char*, std::function<double()>, int> cases[] = {
        {"factor, both 0", [] { return SpeedFactor(0, 0); }, kOverflow},
        {"factor, new negative, current 0", [] { return SpeedFactor(0, -10); }, kDivisionByZero},
        {"ratio, huge quotient", [] { return ErrorRatio(0, 1e-300, 1e300); }, kOverflow},
        {"difference", [] { return DiameterDifference(-1e308, 1e308); }, kOverflow},
        {"percent", [] { return ErrorPercent(1e307); }, kOverflow},
        {"speed", [] { return ActualSpeed(1e308, 150); }, kOverflow},
    };
    for (const auto& [what, run, error] : cases) {
        try {
            const double result = run();
            ADD_FAILURE() << what << " gave " << result;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(error, e.number) << what;
            EXPECT_EQ(e.number == kOverflow ? L"Przepe\x0142nienie" : L"Dzielenie przez zero", e.description) << what;
        }
    }
}

}  // namespace
}  // namespace calc
