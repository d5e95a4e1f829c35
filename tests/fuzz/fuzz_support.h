#pragma once
// Shared by the fuzz targets: the failure report, and RoundToInt16 checked against a
// reference that does not go through the code under test.

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/number_text.h"

// A printf format and its arguments; libFuzzer keeps the input that got here as a crash artifact.
#define FUZZ_FAIL(...) (std::fprintf(stderr, "\nFUZZ PROPERTY VIOLATED: " __VA_ARGS__), std::fputc('\n', stderr), std::abort())

namespace fuzz {

// RoundToInt16 against nearbyint, which rounds halves to even in the default mode.
inline void CheckRounding(double value) {
    if (std::fegetround() != FE_TONEAREST) FUZZ_FAIL("rounding mode changed");
    const double rounded = std::isfinite(value) ? std::nearbyint(value) : 0;
    const bool overflow = !std::isfinite(value) || rounded < -32768.0 || rounded > 32767.0;
    try {
        const std::int16_t result = calc::RoundToInt16(value);
        if (overflow || result != rounded) FUZZ_FAIL("RoundToInt16(%a) = %d, reference %s%.0f", value, result,
                                                     overflow ? "overflow of " : "", rounded);
    } catch (const calc::RuntimeError& e) {
        if (!overflow || e.number != calc::kOverflow) FUZZ_FAIL("RoundToInt16(%a) raised error %d", value, e.number);
    }
}

}  // namespace fuzz
