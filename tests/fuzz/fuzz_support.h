#pragma once
// Shared by the fuzz targets: failure reports and references that do not go
// through the code under test.

#include <cfenv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "calc/number_text.h"

namespace fuzz {

// libFuzzer keeps the input that got here as a crash artifact.
[[noreturn]] inline void Fail(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::fputs("\nFUZZ PROPERTY VIOLATED: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputs("\n", stderr);
    va_end(args);
    std::abort();
}

// strtod in the "C" locale, whatever the process locale might become.
inline double ParseC(const std::string& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, c);
}

// Same value and same sign, so -0.0 and 0.0 differ.
inline bool SameDouble(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// RoundToInt16 against nearbyint, which rounds halves to even in the default mode.
inline void CheckRounding(double value) {
    if (std::fegetround() != FE_TONEAREST) Fail("rounding mode changed");
    const double rounded = std::isfinite(value) ? std::nearbyint(value) : 0;
    const bool overflow = !std::isfinite(value) || rounded < -32768.0 || rounded > 32767.0;
    try {
        const std::int16_t result = calc::RoundToInt16(value);
        if (overflow || result != rounded) Fail("RoundToInt16(%a) = %d, reference %s%.0f", value, result,
                                                overflow ? "overflow of " : "", rounded);
    } catch (const calc::RuntimeError& e) {
        if (!overflow || e.number != calc::kOverflow) Fail("RoundToInt16(%a) raised error %d", value, e.number);
    }
}

}  // namespace fuzz
