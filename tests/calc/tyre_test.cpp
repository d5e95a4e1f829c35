#include "calc/tyre.h"

#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

namespace calc {
namespace {

// The reference pair, and two pairs whose wheels are the same but for the last bits of their
// doubles: the difference and the error then read 0, not a rounding residue.
TEST(Comparison, DiametersDifferenceErrorAndActualSpeeds) {
    const double current = WheelDiameter({195, 65, 15}), proposed = WheelDiameter({205, 55, 16});
    EXPECT_EQ(std::tuple(current, proposed, DiameterDifference(current, proposed)),
              std::tuple(634.5, 631.9, -2.6000000000000227));
    EXPECT_EQ(ErrorPercent(ErrorRatio(proposed, current, proposed)), 0.41145750909954426);
    EXPECT_EQ(ActualSpeed(SpeedFactor(current, proposed), 150), 149.3853427895981);
    for (const auto& [a, b] : {std::pair<TyreSize, TyreSize>{{165, 65, 14}, {195, 55, 14}}, {{165, 82, 14}, {185, 80, 13}}}) {
        const double x = WheelDiameter(a), y = WheelDiameter(b);
        const double difference = DiameterDifference(x, y), percent = ErrorPercent(ErrorRatio(y, x, y));
        EXPECT_EQ(std::tuple(difference, percent), std::tuple(1.1368683772161603e-13, -2.220446049250313e-14));
        EXPECT_EQ(NumberToText(difference, L".") + L"|" + NumberToText(percent, L"."), L"0|0");
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
