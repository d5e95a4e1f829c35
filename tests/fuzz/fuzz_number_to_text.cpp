// Any double -> NumberToText with "." and ",", against the C library's own decimal writing;
// and -> RoundToInt16, against nearbyint.

#include <cstddef>
#include <cstring>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calc/number_text.h"

// libFuzzer keeps the input that got here as a crash artifact.
#define FUZZ_FAIL(...) (std::fprintf(stderr, "\nFUZZ PROPERTY VIOLATED: " __VA_ARGS__), std::fputc('\n', stderr), std::abort())

namespace {

// |value| rounded half away from zero to hundredths, written with a "." separator, by glibc's printf,
// which writes the exact binary value correctly rounded in the current mode. A hundredths tie
// k + (2n + 1)/200 is a double only when 25 divides 2n + 1, so only an odd number of eighths: that one
// is written rounding upwards, every other to nearest.
std::string Reference(double value) {
    const double magnitude = std::fabs(value);
    const bool tie = std::fmod(magnitude * 8, 2) == 1;
    char text[400];
    if (tie) std::fesetround(FE_UPWARD);
    std::string written(text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%.2f", magnitude)));
    std::fesetround(FE_TONEAREST);
    written.erase(written.find_last_not_of('0') + 1);  // no trailing zeros, nor a bare point
    if (written.back() == '.') written.pop_back();
    return written;
}

// RoundToInt16 against nearbyint, which rounds halves to even in the default mode.
void CheckRounding(double value) {
    if (std::fegetround() != FE_TONEAREST) FUZZ_FAIL("rounding mode changed");
    const double rounded = std::isfinite(value) ? std::nearbyint(value) : 0;
    const bool overflow = !std::isfinite(value) || rounded < -32768.0 || rounded > 32767.0;
    try {
        const std::int16_t result = calc::RoundToInt16(value);
        if (overflow || result != rounded) FUZZ_FAIL("RoundToInt16(%a) = %d, reference %.0f", value, result, rounded);
    } catch (const calc::RuntimeError& e) {
        if (!overflow || e.number != calc::kOverflow) FUZZ_FAIL("RoundToInt16(%a) raised error %d", value, e.number);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double)) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    CheckRounding(value);
    if (!std::isfinite(value)) return 0;

    const std::string reference = Reference(value);
    std::wstring expected = std::signbit(value) && reference != "0" ? L"-" : L"";
    expected.append(reference.begin(), reference.end());
    const std::size_t point = expected.find(L'.');
    for (const wchar_t separator : {L'.', L','}) {
        if (point != std::wstring::npos) expected[point] = separator;
        const std::wstring text = calc::NumberToText(value, {&separator, 1});
        if (text != expected) FUZZ_FAIL("%a written as \"%ls\", expected \"%ls\"", value, text.c_str(), expected.c_str());
    }
    return 0;
}
