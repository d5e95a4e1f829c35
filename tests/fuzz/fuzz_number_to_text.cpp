// Any double -> NumberToText, against hundredths counted in integers from the double's own
// bits, and for the comma separator; and -> RoundToInt16, against nearbyint.

#include <algorithm>
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

__extension__ using Wide = unsigned __int128;  // pedantic C++ has no 128-bit integer

// |value| in hundredths, rounded half away from zero: |value| = m * 2^e exactly, so
// 100|value| = 100m * 2^e, a quotient and remainder of integers.
Wide ReferenceHundredths(double value) {
    int e = 0;
    const double fraction = std::frexp(std::fabs(value), &e);  // [0.5, 1) * 2^e
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    e -= 53;
    const Wide scaled = static_cast<Wide>(m) * 100;
    if (e >= 0) return scaled << e;  // only for |value| < 2^60, see below
    if (e <= -120) return 0;  // 100m < 2^60: far below half a hundredth
    const Wide unit = Wide{1} << -e;
    return scaled / unit + (2 * (scaled % unit) >= unit ? 1 : 0);
}

std::wstring Written(Wide hundredths, bool negative) {
    const auto whole = static_cast<std::uint64_t>(hundredths / 100), cents = static_cast<std::uint64_t>(hundredths % 100);
    std::wstring text = (negative && hundredths != 0 ? L"-" : L"") + std::to_wstring(whole);
    if (cents != 0) text += L"." + std::to_wstring(cents / 10) + (cents % 10 ? std::to_wstring(cents % 10) : L"");
    return text;
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

    const std::wstring text = calc::NumberToText(value, L".");
    std::wstring withComma = text;
    std::ranges::replace(withComma, L'.', L',');
    if (calc::NumberToText(value, L",") != withComma)
        FUZZ_FAIL("%a: the \",\" text is not \"%ls\" with a comma", value, text.c_str());
    // Far beyond anything a click writes, the hundredths outgrow the reference's integers.
    if (std::fabs(value) >= 0x1p60) return 0;
    const std::wstring expected = Written(ReferenceHundredths(value), std::signbit(value));
    if (text != expected) FUZZ_FAIL("%a written as \"%ls\", expected \"%ls\"", value, text.c_str(), expected.c_str());
    return 0;
}
