// Any double -> NumberToText with "." and ",", against hundredths counted in integers from the
// double's own bits; and -> RoundToInt16, against nearbyint.

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

// The decimal digits of the integer m * 2^e, from base-10^18 limbs, least significant first.
std::string IntegerDigits(std::uint64_t m, int e) {
    constexpr std::uint64_t kBase = 1'000'000'000'000'000'000;
    std::uint64_t limbs[20] = {m};  // m < 2^53 < 10^18, and any double < 2^1024 < 10^360
    int used = 1;
    for (; e > 0; e -= 64) {  // a limb times 2^64 plus a carry stays below 2^128
        Wide carry = 0;
        for (int i = 0; i < used || carry != 0; ++i, used = std::max(used, i)) {
            carry += static_cast<Wide>(limbs[i]) << std::min(e, 64);
            limbs[i] = static_cast<std::uint64_t>(carry % kBase);
            carry /= kBase;
        }
    }
    char digits[400];
    int length = std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(limbs[used - 1]));
    for (int i = used - 2; i >= 0; --i)
        length += std::snprintf(digits + length, 19, "%018llu", static_cast<unsigned long long>(limbs[i]));
    return {digits, static_cast<std::size_t>(length)};
}

// |value| rounded half away from zero to hundredths, written with a "." separator: |value| = m * 2^e
// exactly, so from 2^53 up it is an integer, and below that 100|value| is the quotient 100m / 2^-e.
std::string Reference(double value) {
    int e = 0;
    const double fraction = std::frexp(std::fabs(value), &e);  // [0.5, 1) * 2^e
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    e -= 53;
    if (e >= 0) return IntegerDigits(m, e);
    const Wide scaled = static_cast<Wide>(m) * 100, unit = Wide{1} << std::min(-e, 120);  // 100m < 2^60: 0 below 2^-120
    const auto hundredths = static_cast<std::uint64_t>(scaled / unit + (2 * (scaled % unit) >= unit ? 1 : 0));
    std::string text = std::to_string(hundredths / 100);
    if (const std::uint64_t cents = hundredths % 100; cents != 0)
        text += "." + std::to_string(cents / 10) + (cents % 10 != 0 ? std::to_string(cents % 10) : "");
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
