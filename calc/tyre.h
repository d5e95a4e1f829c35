#pragma once
// Tyre comparison: wheel diameters, their difference, the speedometer error and
// the actual speed behind each speedometer reading. Every function that can fault
// throws calc::RuntimeError (overflow 6, division by zero 11).

#include <array>
#include <cstdint>

#include "calc/error.h"

namespace calc {

// Width (mm), profile (% of the width) and rim diameter (inches), taken as typed:
// zero and negative values are allowed.
struct TyreSize {
    std::int16_t width;
    std::int16_t profile;
    std::int16_t rim;
};

// Speedometer readings of the speed table, in km/h, top row first.
inline constexpr std::array<double, 6> kReferenceSpeeds{50, 60, 80, 90, 100, 150};

// Outer diameter in mm: two sidewalls plus the rim.
double WheelDiameter(TyreSize size);

// New minus current diameter.
double DiameterDifference(double current, double proposed);

// Signed fraction by which the speedometer reads high (0.0041 = 0.41 %).
// newDiameterAsShown is the new diameter read back from its result box, which
// decides between the two forms of the ratio.
double ErrorRatio(double newDiameterAsShown, double current, double proposed);

// The error ratio in per cent, for the box labelled "%".
double ErrorPercent(double errorRatio);

// Actual speed per unit of speedometer reading: proposed / current.
double SpeedFactor(double current, double proposed);

// The car's actual speed when the speedometer reads `reading`.
double ActualSpeed(double speedFactor, double reading);

}  // namespace calc
