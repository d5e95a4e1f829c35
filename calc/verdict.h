#pragma once
// What a fitter may conclude from the two diameters: the band the diameter change falls in
// and what the speedometer does with the new wheel. Indicative rules, not law: the sizes
// certain in law are those in the vehicle's approval documents.

#include <optional>

namespace calc {

// Polish tyre shops accept a new wheel from 2 % smaller to 1.5 % larger than the current one;
// a wider rule of thumb allows 3 % either way. No Polish or EU regulation fixes a figure.
inline constexpr double kPracticeSmallest = -2.0;  // per cent
inline constexpr double kPracticeLargest = 1.5;
inline constexpr double kRuleOfThumb = 3.0;

enum class Band { Practice, RuleOfThumb, Beyond };

// New against current diameter, in per cent: (proposed - current) / current x 100.
double DiameterChangePercent(double current, double proposed);

// The band of a change in per cent, judged as it is shown, to hundredths (an exact half away
// from zero); the edges belong to the inner band.
Band BandOf(double changePercent);

// UNECE Regulation No. 39, paragraph 5.3: the indicated speed V1 is never below the true
// speed V2, and 0 <= V1 - V2 <= 0.1 V2 + 4 km/h.
inline constexpr double kR39Share = 0.1;
inline constexpr double kR39MarginKmh = 4.0;

enum class Speedometer { Exact, ReadsHighAllowed, ReadsHighTooMuch, ReadsLow };

// The rule at each reference speed, for a speedometer exact with the current wheel: the car
// does speedFactor x V1 when it shows V1. The worst speed decides.
Speedometer R39Verdict(double speedFactor);

// How far a speedometer exact with the current wheel reads above the true speed with the new
// one, in per cent of the true speed: (current / proposed - 1) x 100; below 0 it reads low.
double ReadsHighByPercent(double current, double proposed);

}  // namespace calc
