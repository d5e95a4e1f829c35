#include "calc/tyre.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace calc {
namespace {

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
