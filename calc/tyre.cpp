#include "calc/tyre.h"

#include <cmath>

namespace calc {
namespace {

double Checked(double value) {
    if (!std::isfinite(value)) throw Overflow();
    return value;
}

double Divide(double dividend, double divisor) {
    if (divisor == 0) {
        if (dividend == 0) throw Overflow();
        throw DivisionByZero();
    }
    return Checked(dividend / divisor);
}

}  // namespace

double WheelDiameter(TyreSize size) {
    const double rim = Checked(size.rim * 25.4);
    double sidewall = Checked(size.profile / 100.0);
    sidewall = Checked(sidewall * size.width);
    return Checked(sidewall + sidewall + rim);
}

double DiameterDifference(double current, double proposed) {
    return Checked(proposed - current);
}

double ErrorRatio(double newDiameterAsShown, double current, double proposed) {
    const double quotient = newDiameterAsShown > 0 ? Divide(current, proposed)
                                                   : Divide(proposed, current);
    return Checked(-(1 - quotient));
}

double ErrorPercent(double errorRatio) { return Checked(errorRatio * 100); }

double SpeedFactor(double current, double proposed) { return Divide(proposed, current); }

double ActualSpeed(double speedFactor, double reading) {
    return Checked(speedFactor * reading);
}

}  // namespace calc
