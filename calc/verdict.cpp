#include "calc/verdict.h"

#include "calc/number_text.h"
#include "calc/tyre.h"

namespace calc {

double DiameterChangePercent(double current, double proposed) {
    return ErrorPercent(SpeedFactor(current, proposed) - 1);
}

double ReadsHighByPercent(double current, double proposed) {
    return ErrorPercent(SpeedFactor(proposed, current) - 1);
}

Band BandOf(double changePercent) {
    // The text as the user reads it: -2.004 % reads -2 % and is inside.
    const double shown = TextToNumber(NumberToText(changePercent, L"."));
    if (shown >= kPracticeSmallest && shown <= kPracticeLargest) return Band::Practice;
    if (shown >= -kRuleOfThumb && shown <= kRuleOfThumb) return Band::RuleOfThumb;
    return Band::Beyond;
}

Speedometer R39Verdict(double speedFactor) {
    bool exact = true;
    for (const double shown : kReferenceSpeeds) {
        const double actual = ActualSpeed(speedFactor, shown);
        const double ahead = shown - actual;
        if (ahead < 0) return Speedometer::ReadsLow;
        if (ahead > kR39Share * actual + kR39MarginKmh) return Speedometer::ReadsHighTooMuch;
        exact = exact && ahead == 0;
    }
    return exact ? Speedometer::Exact : Speedometer::ReadsHighAllowed;
}

}  // namespace calc
